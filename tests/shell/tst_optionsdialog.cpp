// The options dialog: slider positions from the options and back, Reset, Set as
// Default, OK and Cancel through the Options command, the repainted preview bands
// and the preview itself.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "tests/shell/AppStateTest.h"
#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "shell/OptionsDialog.h"

namespace {

// Runs `body` on the options dialog once the command has opened it; the dialog is
// cancelled afterwards if the body left it open, so a failing test cannot hang.
void WhenOpen(std::function<void(COptionsDialog&)> body, int triesLeft = 200)
{
    QTimer::singleShot(triesLeft == 200 ? 0 : 10, [body, triesLeft] {
        auto* dialog = qobject_cast<COptionsDialog*>(QApplication::activeModalWidget());
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

// Records the region of every paint the dialog receives.
class PaintSpy : public QObject {
public:
    QRegion region;
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

} // namespace

class TestOptionsDialog : public AppStateTest {
    Q_OBJECT

private slots:
    void init() { FreshState(); }
    void cleanup() { DropState(); }

    void positionsFromOptions_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown"); // the number beside the slider
        for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007})
            QTest::addRow("default %d", id) << QString() << QString() << id << 50 << "0.50";
        QTest::newRow("default width") << QString() << QString() << 1011 << 9 << "3.00";
        QTest::newRow("default spacing") << QString() << QString() << 1014 << 46 << "15";
        QTest::newRow("super level counts from below") << "LevelSuper" << "0.25" << 1001 << 25 << "0.25";
        QTest::newRow("0.3 lies just below 30") << "LevelSuper" << "0.3" << 1001 << 29 << "0.29";
        QTest::newRow("sub level counts from above") << "LevelSub" << "0.3" << 1002 << 70 << "0.30";
        QTest::newRow("size counts from above") << "TextPhase" << "0.25" << 1007 << 75 << "0.25";
        QTest::newRow("width in thirds") << "ArrowWidth" << "4.0" << 1011 << 12 << "4.00";
        QTest::newRow("spacing from the top") << "VerticalSpacing" << "20" << 1014 << 41 << "20";
        QTest::newRow("spacing 0 pins the bottom") << "VerticalSpacing" << "0" << 1014 << 60 << "1";
        QTest::newRow("level beyond the scale") << "LevelArrow" << "2" << 1000 << 100 << "1.00";
        QTest::newRow("huge level in range") << "LevelArrow" << "1e15" << 1000 << 100 << "1.00";
        QTest::newRow("huge negative size") << "TextArrow" << "1e15" << 1004 << 1 << "0.99";
    }
    void positionsFromOptions()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, id);
        QFETCH(int, position);
        QFETCH(QString, shown);
        COptionsDialog dialog(*m_app);
        if (!key.isEmpty()) {
            // Through the store, as the options arrive from a configuration file.
            CIniStore store;
            store.SetLocation(-1);
            store.SetPath(m_dir.filePath(QStringLiteral("absent.ini")).toStdString());
            store.SetString("Options", key.toStdString(), value.toStdString(), true);
            dialog.options.Load(store);
        }
        dialog.show();
        QCOMPARE(dialog.Slider(id)->value(), position);
        QCOMPARE(dialog.ValueLabel(id)->text(), shown);
        dialog.Slider(id)->setValue(dialog.Slider(id)->minimum());
        QCOMPARE(dialog.ValueLabel(id)->text(), COptionsDialog::ValueText(id, dialog.Slider(id)->minimum()));
    }

    void arrowTypeAndItalic_data()
    {
        QTest::addColumn<int>("arrowType");
        QTest::addColumn<bool>("italic");
        QTest::newRow("defaults") << 1 << true;
        QTest::newRow("half arrows, upright") << 0 << false;
        QTest::newRow("double half") << 2 << true;
        QTest::newRow("double full") << 3 << false;
        QTest::newRow("style without a button") << 7 << true;
    }
    void arrowTypeAndItalic()
    {
        QFETCH(int, arrowType);
        QFETCH(bool, italic);
        COptionsDialog dialog(*m_app);
        dialog.options.equilibriumArrow.Set(arrowType);
        dialog.options.italicPhase.Set(italic);
        dialog.show();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(dialog.ArrowTypeButton(i)->isChecked(), i == arrowType);
        QCOMPARE(dialog.ItalicBox()->isChecked(), italic);
        QCOMPARE(dialog.ArrowTypeButton(0)->objectName(), QStringLiteral("ctl1008"));
        QCOMPARE(dialog.ArrowTypeButton(3)->objectName(), QStringLiteral("ctl1013"));

        // OK takes the controls back: an unmatched style reads as -1.
        QTest::mouseClick(Button(dialog, 1), Qt::LeftButton);
        QCOMPARE(dialog.options.equilibriumArrow.Get(), arrowType <= 3 ? arrowType : -1);
        QCOMPARE(dialog.options.italicPhase.Get(), italic);
    }

    // A position set, confirmed and shown again lands where truncation puts it.
    void reopen_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("reopened");
        QTest::newRow("arrow level 29 truncates") << 1000 << 29 << 28;
        QTest::newRow("arrow width 10 truncates") << 1011 << 10 << 9;
        QTest::newRow("arrow level 50 keeps") << 1000 << 50 << 50;
        QTest::newRow("arrow width 9 keeps") << 1011 << 9 << 9;
        QTest::newRow("arrow width 36 keeps") << 1011 << 36 << 36;
        QTest::newRow("super level top") << 1001 << 1 << 1;
        QTest::newRow("sub level 29") << 1002 << 29 << 29;
        QTest::newRow("size bottom") << 1005 << 100 << 100;
        QTest::newRow("spacing") << 1014 << 20 << 20;
    }
    void reopen()
    {
        QFETCH(int, id);
        QFETCH(int, position);
        QFETCH(int, reopened);
        COptionsDialog first(*m_app);
        first.show();
        first.Slider(id)->setValue(position);
        QTest::mouseClick(Button(first, 1), Qt::LeftButton);
        QCOMPARE(first.result(), int(QDialog::Accepted));

        COptionsDialog second(*m_app);
        second.options = first.options;
        second.show();
        QCOMPARE(second.Slider(id)->value(), reopened);
    }

    void resetThenClose_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("Reset then OK") << true;
        QTest::newRow("Reset then Cancel") << false;
    }
    void resetThenClose()
    {
        QFETCH(bool, confirm);
        CEquationOptions& o = m_app->options;
        o.levelArrow.Set(0.3);
        o.levelSub.Set(0.8);
        o.textSub.Set(0.2);
        o.textPhase.Set(0.9);
        o.verticalSpacing.Set(25);
        o.arrowWidth.Set(4.0);
        o.equilibriumArrow.Set(2);
        o.italicPhase.Set(false);
        const CEquationOptions before = o;
        CMolvexDoc doc(*m_app);

        WhenOpen([confirm](COptionsDialog& d) {
            QTest::mouseClick(Button(d, COptionsDialog::IDC_RESET), Qt::LeftButton);
            QTest::mouseClick(Button(d, confirm ? 1 : 2), Qt::LeftButton);
        });
        RunOptionsCommand(doc, *m_app, nullptr);

        DoubleOption CEquationOptions::*levels[] = {
            &CEquationOptions::levelArrow, &CEquationOptions::levelSuper, &CEquationOptions::levelSub,
            &CEquationOptions::levelPhase, &CEquationOptions::textArrow, &CEquationOptions::textSuper,
            &CEquationOptions::textSub, &CEquationOptions::textPhase};
        for (auto level : levels)
            QCOMPARE((o.*level).Get(), confirm ? 0.5 : (before.*level).Get());
        QCOMPARE(o.verticalSpacing.Get(), confirm ? 15 : 25);
        // Reset leaves these alone.
        QCOMPARE(o.arrowWidth.Get(), 4.0);
        QCOMPARE(o.equilibriumArrow.Get(), 2);
        QCOMPARE(o.italicPhase.Get(), false);
        QCOMPARE(doc.IsModified(), confirm);
        QCOMPARE(UserFileText().contains(QLatin1String("VerticalSpacing=15\n")), confirm);
    }

    void setAsDefaultThenCancel()
    {
        CMolvexDoc doc(*m_app);
        WhenOpen([](COptionsDialog& d) {
            // Straight after the move, before any repaint could read the slider.
            d.Slider(COptionsDialog::IDC_SPACING)->setValue(31);
            d.Slider(COptionsDialog::IDC_LEVEL_ARROW)->setValue(70);
            QTest::mouseClick(Button(d, COptionsDialog::IDC_SET_DEFAULT), Qt::LeftButton);
            QTest::mouseClick(Button(d, 2), Qt::LeftButton);
        });
        RunOptionsCommand(doc, *m_app, nullptr);

        QCOMPARE(m_app->options.verticalSpacing.Get(), 30);
        QCOMPARE(m_app->options.levelArrow.Get(), 0.7);
        QVERIFY(UserFileText().contains(QLatin1String("VerticalSpacing=30\n")));
        QVERIFY(UserFileText().contains(QLatin1String("LevelArrow=0.700000\n")));
        QVERIFY(!doc.IsModified());
    }

    void setAsDefaultReportsAFailedSave()
    {
        m_app->mainStore.SetPath(m_dir.filePath(QStringLiteral("missing/MLV2.ini")).toStdString());
        COptionsDialog dialog(*m_app);
        QStringList shown;
        dialog.showMessage = [&shown](const QString& caption, const QString& text) { shown << caption << text; };
        dialog.show();
        QTest::mouseClick(Button(dialog, COptionsDialog::IDC_SET_DEFAULT), Qt::LeftButton);
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0], QStringLiteral("File Save Error"));
        QVERIFY(shown[1].contains(QLatin1String("missing/MLV2.ini")));
        QVERIFY(dialog.isVisible());
    }

    void invalidationBands_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("tall");
        QTest::newRow("arrow width slider") << "ctl1011" << true;
        QTest::newRow("spacing slider") << "ctl1014" << false;
        QTest::newRow("level slider") << "ctl1002" << false;
        QTest::newRow("size slider") << "ctl1005" << false;
        QTest::newRow("radio button") << "ctl1010" << false;
        QTest::newRow("check box") << "ctl1012" << false;
        QTest::newRow("Reset") << "ctl3" << false;
    }
    void invalidationBands()
    {
        QFETCH(QString, control);
        QFETCH(bool, tall);
        COptionsDialog dialog(*m_app);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        PaintSpy spy;
        dialog.installEventFilter(&spy);
        QTest::qWait(50);
        spy.region = QRegion();
        spy.paints = 0;

        QWidget* widget = dialog.findChild<QWidget*>(control);
        QVERIFY(widget);
        if (auto* slider = qobject_cast<QSlider*>(widget)) {
            slider->setFocus();
            QTest::keyClick(slider, Qt::Key_PageDown);
        } else {
            if (control == QLatin1String("ctl3"))
                dialog.Slider(1000)->setValue(10); // so that Reset has something to move
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
            if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable())
                QVERIFY(button->isChecked() != (control == QLatin1String("ctl1012")));
        }
        const QRect band = COptionsDialog::PreviewBand(tall);
        QTRY_VERIFY(spy.region.contains(band));
        QTest::qWait(50);
        QCOMPARE(spy.region.contains(QPoint(250, 75)), tall);
        dialog.removeEventFilter(&spy);
    }

    void previewDrawsTheSample()
    {
        COptionsDialog dialog(*m_app);
        dialog.show();
        const QImage before = dialog.grab().toImage();
        const QRect band = COptionsDialog::PreviewBand(true);
        int dark = 0;
        int leftmost = band.right();
        for (int y = band.top() + 1; y < band.bottom(); ++y)
            for (int x = band.left() + 1; x < band.right(); ++x)
                if (qGray(before.pixel(x, y)) < 128) {
                    ++dark;
                    leftmost = std::min(leftmost, x);
                }
        QVERIFY2(dark > 300, qPrintable(QString::number(dark)));
        // Left-aligned at x = 15, so nothing of it lies left of that.
        QVERIFY(leftmost >= COptionsDialog::kSampleX);
        QVERIFY(leftmost < COptionsDialog::kSampleX + 5);

        // The preview follows the controls: a larger superscript size shows.
        dialog.Slider(COptionsDialog::IDC_TEXT_SUPER)->setValue(5);
        const QImage after = dialog.grab().toImage();
        QVERIFY(before.copy(band) != after.copy(band));
        QCOMPARE(dialog.options.textSuper.Get(), 0.95);
    }

    // With the largest arrow texts the sample reaches above its usual base line: the
    // preview grows until nothing of it touches the panel's edges.
    void previewShowsTheWholeSample()
    {
        COptionsDialog dialog(*m_app);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.Slider(COptionsDialog::IDC_TEXT_ARROW)->setValue(1);
        dialog.Slider(COptionsDialog::IDC_LEVEL_ARROW)->setValue(1);
        QTRY_VERIFY(dialog.Band(true).bottom() > COptionsDialog::PreviewBand(true).bottom());
        QTest::qWait(50);
        const QImage image = dialog.grab().toImage();
        const QRect band = dialog.Band(true);
        auto darkInRow = [&](int y) {
            for (int x = band.left() + 2; x < band.right() - 2; ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    return true;
            return false;
        };
        QVERIFY(!darkInRow(band.top() + 1));
        QVERIFY(!darkInRow(band.bottom() - 1));
        QVERIFY(darkInRow(band.center().y()) || darkInRow(band.center().y() + 5));
        // The controls moved down out of the preview's way.
        QVERIFY(dialog.Slider(COptionsDialog::IDC_LEVEL_ARROW)->mapTo(&dialog, QPoint(0, 0)).y() > band.bottom());
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
