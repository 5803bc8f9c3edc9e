// The level adjustment dialog through the Adjust Level command: scroll bar actions
// by mouse and keyboard, Default, Cancel, and the checks of the hidden value text.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "tests/shell/AppStateTest.h"
#include "document/AppState.h"
#include "shell/LevelDialog.h"

namespace {

// Runs `body` on the dialog once the command has opened it; the dialog is cancelled
// afterwards if the body left it open, so a failing test cannot hang.
void WhenOpen(std::function<void(CLevelDialog&)> body, int triesLeft = 200)
{
    QTimer::singleShot(triesLeft == 200 ? 0 : 10, [body, triesLeft] {
        auto* dialog = qobject_cast<CLevelDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0)
                WhenOpen(body, triesLeft - 1);
            return;
        }
        body(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

QPushButton* Button(QWidget& dialog, int id)
{
    return dialog.findChild<QPushButton*>(QStringLiteral("ctl%1").arg(id));
}

QRect Part(QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar);
}

void Mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Drags the thumb far beyond one end and releases it there; while it is held nothing
// may change.
void Drag(QScrollBar* bar, int dy)
{
    const QPoint start = Part(bar, QStyle::SC_ScrollBarSlider).center();
    const int value = bar->value();
    Mouse(bar, QEvent::MouseButtonPress, start, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
        Mouse(bar, QEvent::MouseMove, start + QPoint(0, dy * step / 4), Qt::LeftButton);
    QCOMPARE(bar->value(), value);
    Mouse(bar, QEvent::MouseButtonRelease, start + QPoint(0, dy), Qt::NoButton);
}

} // namespace

class TestLevelDialog : public AppStateTest {
    Q_OBJECT

private slots:
    void init() { FreshState(); }
    void cleanup() { DropState(); }

    void actions_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("position");
        // d: click on the lower arrow, u: upper arrow, P: page area above the thumb,
        // p: page area below, T/B: drag to the top/bottom, k/j: Down/Up key, H: Home.
        QTest::newRow("untouched 0") << 0 << "" << 0 << 400;
        QTest::newRow("two line-downs") << 0 << "dd" << -4 << 404;
        QTest::newRow("one line-up") << 0 << "u" << 2 << 398;
        QTest::newRow("page up from the middle") << 0 << "P" << 50 << 350;
        QTest::newRow("page down from the middle") << 0 << "p" << -50 << 450;
        QTest::newRow("back to the middle") << 0 << "Pp" << 0 << 400;
        QTest::newRow("drag to the top") << 0 << "T" << 400 << 0;
        QTest::newRow("drag to the bottom") << 0 << "B" << -400 << 800;
        QTest::newRow("keys") << 10 << "kkj" << 8 << 392;
        QTest::newRow("Home moves nothing") << 10 << "H" << 10 << 390;
        QTest::newRow("900 kept untouched") << 900 << "" << 900 << 0;
        QTest::newRow("900 then a scroll at the top") << 900 << "u" << 400 << 0;
        QTest::newRow("out of the setting's range") << 40000 << "" << 0 << 400;
    }
    void actions()
    {
        QFETCH(int, stored);
        QFETCH(QString, actions);
        QFETCH(int, expected);
        QFETCH(int, position);
        m_app->levelAdjust.Set(stored);
        int shownAt = -1;
        int endedAt = -1;
        QStringList messages;
        WhenOpen([&](CLevelDialog& d) {
            d.showMessage = [&messages](const QString& text) { messages << text; };
            QScrollBar* bar = d.ScrollBar();
            shownAt = bar->value();
            for (QChar a : actions) {
                switch (a.toLatin1()) {
                case 'd': QTest::mouseClick(bar, Qt::LeftButton, {}, Part(bar, QStyle::SC_ScrollBarAddLine).center()); break;
                case 'u': QTest::mouseClick(bar, Qt::LeftButton, {}, Part(bar, QStyle::SC_ScrollBarSubLine).center()); break;
                case 'P': QTest::mouseClick(bar, Qt::LeftButton, {}, Part(bar, QStyle::SC_ScrollBarSubPage).center()); break;
                case 'p': QTest::mouseClick(bar, Qt::LeftButton, {}, Part(bar, QStyle::SC_ScrollBarAddPage).center()); break;
                case 'T': Drag(bar, -bar->height()); break;
                case 'B': Drag(bar, bar->height()); break;
                case 'k': QTest::keyClick(bar, Qt::Key_Down); break;
                case 'j': QTest::keyClick(bar, Qt::Key_Up); break;
                case 'H': QTest::keyClick(bar, Qt::Key_Home); break;
                }
            }
            endedAt = bar->value();
            QTest::mouseClick(Button(d, 1), Qt::LeftButton);
        });
        RunAdjustLevelCommand(*m_app, nullptr);

        const int inRange = stored >= -32768 && stored <= 32767 ? stored : 0;
        QCOMPARE(shownAt, qBound(0, 400 - inRange, 800));
        QCOMPARE(endedAt, position);
        QVERIFY(messages.isEmpty());
        QCOMPARE(m_app->levelAdjust.Get(), expected);
        QVERIFY(UserFileText().contains(QStringLiteral("[Adjustment]\nLevel=%1\n").arg(expected)));
    }

    void marksMoveTheScrollBar_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("level");
        QTest::newRow("Very High") << 0 << 400;
        QTest::newRow("High") << 1 << 250;
        QTest::newRow("A Little High") << 2 << 100;
        QTest::newRow("A Little Low") << 4 << -100;
        QTest::newRow("Low") << 5 << -250;
        QTest::newRow("Very Low") << 6 << -400;
    }
    void marksMoveTheScrollBar()
    {
        QFETCH(int, row);
        QFETCH(int, level);
        WhenOpen([&](CLevelDialog& dialog) {
            QCOMPARE(dialog.ValueLabel()->text(), QStringLiteral("Level: 0"));
            auto* mark = dialog.findChild<QLabel*>(QStringLiteral("mark%1").arg(row));
            QVERIFY(mark);
            QTest::mouseClick(mark, Qt::LeftButton);
            QCOMPARE(dialog.ScrollBar()->value(), 400 - level);
            QCOMPARE(dialog.ValueLabel()->text(), QStringLiteral("Level: %1").arg(level));
            dialog.accept();
        });
        RunAdjustLevelCommand(*m_app, nullptr);
        QCOMPARE(m_app->levelAdjust.Get(), level);
    }

    void defaultButton()
    {
        m_app->levelAdjust.Set(-250);
        int position = -1;
        WhenOpen([&](CLevelDialog& d) {
            QTest::mouseClick(Button(d, CLevelDialog::IDC_LEVEL_DEFAULT), Qt::LeftButton);
            position = d.ScrollBar()->value();
            QTest::mouseClick(Button(d, 1), Qt::LeftButton);
        });
        RunAdjustLevelCommand(*m_app, nullptr);
        QCOMPARE(position, 400);
        QCOMPARE(m_app->levelAdjust.Get(), 0);
    }

    void cancelStoresNothing()
    {
        m_app->levelAdjust.Set(12);
        WhenOpen([](CLevelDialog& d) {
            QScrollBar* bar = d.ScrollBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, Part(bar, QStyle::SC_ScrollBarAddPage).center());
            QTest::mouseClick(Button(d, CLevelDialog::IDC_LEVEL_DEFAULT), Qt::LeftButton);
            QTest::mouseClick(Button(d, 2), Qt::LeftButton);
        });
        RunAdjustLevelCommand(*m_app, nullptr);
        QCOMPARE(m_app->levelAdjust.Get(), 12);
        QVERIFY(!QFile::exists(UserFile()));
    }

    void hiddenTextChecks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("level");
        const QString notInteger = QStringLiteral("Please enter an integer.");
        const QString outside = QStringLiteral("Please enter an integer between -1000 and 1000.");
        QTest::newRow("letters") << "abc" << notInteger << 0;
        QTest::newRow("empty") << "" << notInteger << 0;
        QTest::newRow("trailing junk") << "12x" << notInteger << 0;
        QTest::newRow("fraction") << "1.5" << notInteger << 0;
        QTest::newRow("beyond 32 bits") << "99999999999" << notInteger << 0;
        QTest::newRow("just above") << "1001" << outside << 0;
        QTest::newRow("just below") << "-1001" << outside << 0;
        QTest::newRow("lowest") << "-1000" << QString() << -1000;
        QTest::newRow("highest") << "1000" << QString() << 1000;
        QTest::newRow("blanks around") << " 17 " << QString() << 17;
    }
    void hiddenTextChecks()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, level);
        CLevelDialog dialog;
        QStringList messages;
        dialog.showMessage = [&messages](const QString& m) { messages << m; };
        dialog.show();
        QVERIFY(dialog.ValueEdit()->isHidden());
        dialog.ValueEdit()->setText(text);
        QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(messages.isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.m_nLevel, level);
            QCOMPARE(dialog.ScrollBar()->value(), qBound(0, 400 - level, 800));
        } else {
            QCOMPARE(messages, QStringList{message});
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.m_nLevel, 0);
        }
    }
};

QTEST_MAIN(TestLevelDialog)
#include "tst_leveldialog.moc"
