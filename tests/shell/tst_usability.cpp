// What got in a new user's way: the view's reach at every zoom, the line limit, the
// questions before writing for every user and before leaving, help without a viewer,
// a status bar that describes the line being edited, where the settings live, and
// what assistive technology is told.
#include "tests/shell/ShellFixture.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QProcess>
#include <QTextBlock>
#include <QTimer>
#include <QFileInfo>

#include "document/MolvexDoc.h"
#include "shell/AppDialogs.h"
#include "shell/ChemStatus.h"
#include "shell/CommandIds.h"
#include "shell/CommandTables.h"
#include "shell/EntryEdit.h"
#include "shell/HelpCommands.h"
#include "shell/MainFrame.h"
#include "shell/MolvexView.h"
#include "shell/OptionsDialog.h"
#include "platform/Render.h"

namespace {

// The extent of the dark pixels of an image: left, top, right, bottom (inclusive);
// an invalid rectangle when there are none.
QRect InkBox(const QImage& image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString TwentyLines(const QString& last)
{
    QStringList lines;
    for (int i = 1; i < 20; ++i)
        lines << QStringLiteral("Fe%1+ + e- => Fe(s)").arg(i % 4 + 1);
    lines << last;
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TestUsability : public EditorTest {
    Q_OBJECT

private:
    void CaretTo(int line, int position = 0)
    {
        QTextCursor c(Edit()->document());
        c.setPosition(Edit()->document()->findBlockByNumber(line).position() + position);
        Edit()->setTextCursor(c);
    }

private slots:
    void init() { StartEditor(); }
    void cleanup() { StopEditor(); }

    // Scrolled to the end, the last line and the end of the longest line are on screen
    // whole, with the margin after them, at every zoom and window size.
    void scrollReachesTheWholeEquation_data()
    {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("window");
        for (int zoom : {25, 100, 110, 150, 175, 250, 400, 800})
            for (QSize window : {QSize(640, 420), QSize(1100, 760)})
                QTest::addRow("%d%% in %dx%d", zoom, window.width(), window.height()) << zoom << window;
    }
    void scrollReachesTheWholeEquation()
    {
        QFETCH(int, zoom);
        QFETCH(QSize, window);
        Frame()->resize(window);
        Edit()->setPlainText(TwentyLines(QStringLiteral("2H2 + O2 => 2H2O") + QStringLiteral(" + CO2").repeated(12)));
        View()->SetZoom(zoom);
        QScrollBar* down = View()->verticalScrollBar();
        QScrollBar* across = View()->horizontalScrollBar();
        down->setValue(down->maximum());
        across->setValue(across->maximum());
        const QImage image = View()->viewport()->grab().toImage();
        const QRect ink = InkBox(image);
        QVERIFY(ink.isValid());
        // The margin is 10 units; the picture's own white space below the last base
        // line and after the last glyph makes the gap larger, never smaller.
        const int margin = 10 * zoom / 100;
        QVERIFY2(image.height() - 1 - ink.bottom() >= margin - 1,
                 qPrintable(QStringLiteral("bottom ink %1 of %2").arg(ink.bottom()).arg(image.height())));
        QVERIFY2(image.width() - 1 - ink.right() >= margin - 1,
                 qPrintable(QStringLiteral("right ink %1 of %2").arg(ink.right()).arg(image.width())));
        // ... and not more than the margin and a line's depth: the range is not padded.
        if (down->maximum() > 0)
            QVERIFY(image.height() - 1 - ink.bottom() <= margin + 12 * zoom / 100 + 2);
    }

    void viewFollowsTheCaretAcross()
    {
        Frame()->resize(640, 420);
        Edit()->setPlainText(QStringLiteral("2H2 + O2 => 2H2O") + QStringLiteral(" + CO2").repeated(40));
        QScrollBar* across = View()->horizontalScrollBar();
        QVERIFY(across->maximum() > 0);
        CaretTo(0, Edit()->document()->firstBlock().length() - 1);
        QCOMPARE(across->value(), across->maximum());
        CaretTo(0, 0);
        QCOMPARE(across->value(), 0);
    }

    // The caret's line is shown, and Return on the last line says why nothing happens.
    void lineLimit_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("message");
        QTest::newRow("first line") << 0 << "Line 1 of 20" << "";
        QTest::newRow("line 19") << 18 << "Line 19 of 20" << "";
        QTest::newRow("last line") << 19 << "Line 20 of 20" << "An equation has at most 20 lines.";
    }
    void lineLimit()
    {
        QFETCH(int, line);
        QFETCH(QString, pane);
        QFETCH(QString, message);
        Edit()->setPlainText(QString(19, QLatin1Char('\n')));
        CaretTo(line);
        QCOMPARE(Frame()->CaretPane()->text(), pane);
        QVERIFY(Frame()->CaretPane()->isVisibleTo(Frame()));
        QTest::keyClick(Edit(), Qt::Key_Return);
        if (message.isEmpty()) {
            QTRY_COMPARE(Edit()->textCursor().blockNumber(), line + 1);
            QVERIFY(Frame()->statusBar()->currentMessage() != QLatin1String("An equation has at most 20 lines."));
        } else {
            QCOMPARE(Frame()->statusBar()->currentMessage(), message);
        }
        QCOMPARE(Edit()->blockCount(), 20);
    }

    // A text shorter than 20 lines (all of it replaced by typing) gets its next line
    // on Return at its end, and no message.
    void returnAtTheEndOfAShortText()
    {
        Edit()->setPlainText(QStringLiteral("H2O"));
        CaretTo(0, 3);
        QTest::keyClick(Edit(), Qt::Key_Return);
        QCOMPARE(Edit()->blockCount(), 2);
        QCOMPARE(Edit()->textCursor().blockNumber(), 1);
        QCOMPARE(Frame()->CaretPane()->text(), QStringLiteral("Line 2 of 20"));
        QVERIFY(Frame()->statusBar()->currentMessage() != QLatin1String("An equation has at most 20 lines."));
    }

    void writeDefaultConfigurationAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void writeDefaultConfigurationAsksFirst()
    {
        QFETCH(bool, yes);
        QTemporaryDir system;
        const QByteArray before = qgetenv("XDG_CONFIG_DIRS");
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(system.path()));
        m_editor->confirmAnswer = yes;
        Command(cmd::WriteDefaultConfig);
        qputenv("XDG_CONFIG_DIRS", before);
        const QString path = system.filePath(QStringLiteral("Tamrel/MLV2_Default.ini"));
        QCOMPARE(m_editor->confirmations.size(), 1);
        QVERIFY2(m_editor->confirmations[0].contains(path) &&
                     m_editor->confirmations[0].contains(QStringLiteral("every user of this computer")),
                 qPrintable(m_editor->confirmations[0]));
        QCOMPARE(QFile::exists(path), yes);
        QCOMPARE(m_editor->messages.size(), yes ? 1 : 0);
        if (yes)
            QVERIFY(m_editor->messages[0].contains(path));
    }

    // Help with an opener that finds nothing to show the file: the user is told, with
    // the path to open it another way. The desktop's opener is a script on PATH.
    void helpWithoutViewer_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("caption");
        QTest::newRow("opener fails") << 3 << "Cannot find a web browser";
        QTest::newRow("opener succeeds") << 0 << "";
    }
    void helpWithoutViewer()
    {
        QFETCH(int, status);
        QFETCH(QString, caption);
        QTemporaryDir bin;
        QFile script(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nexit %1\n").arg(status).toLatin1());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile help(m_dir.filePath(QStringLiteral("molvex2.html")));
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.close();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
        Command(cmd::ReadHelpFile);
        qputenv("PATH", path);
        if (caption.isEmpty()) {
            // The script has ended once no process of the opener is left.
            QTRY_VERIFY(QCoreApplication::instance()->findChildren<QProcess*>().isEmpty());
            QCOMPARE(m_editor->messages, QStringList());
        } else {
            QTRY_COMPARE(m_editor->messages.size(), 1);
            QVERIFY(m_editor->messages[0].startsWith(caption + QLatin1Char('|')));
            QVERIFY(m_editor->messages[0].contains(QFileInfo(help).absoluteFilePath()));
        }
    }

    // The balance and hint describe the caret's line of the active document from the
    // moment it shows, whatever happened in another one.
    void statusDescribesTheActiveLine()
    {
        const QString balanced = SavedDocument(QStringLiteral("a.mv2"), "2H2 + O2 => 2H2O\r\nN2 + H2 => NH3");
        const QString unbalanced = SavedDocument(QStringLiteral("b.mv2"), "Fe3+ + e- => Fe");
        CChemStatus* status = Frame()->ChemStatus();
        CMolvexDoc* first = App().Documents().Open(balanced);
        QVERIFY(first);
        QCOMPARE(status->BalanceText(), QStringLiteral("Balanced"));
        CaretTo(1, 3);
        QVERIFY(status->BalanceText().startsWith(QStringLiteral("Not balanced")));
        QVERIFY(App().Documents().Open(unbalanced));
        QCOMPARE(status->BalanceText(), QString::fromUtf8("Not balanced: charge +2 \u2192 0"));
        Frame()->statusBar()->showMessage(QStringLiteral("about b"));
        Frame()->MdiArea()->setActiveSubWindow(Frame()->FrameOf(*first));
        QCOMPARE(status->BalanceText(), QStringLiteral("Balanced"));
        QCOMPARE(Frame()->statusBar()->currentMessage(), QStringLiteral("Ready"));
        QCOMPARE(Frame()->CaretPane()->text(), QStringLiteral("Line 1 of 20"));
    }

    // A hint is whole in a wide window and cut in a narrow one, the whole of it then
    // in the tooltip, once.
    void hintIsReadableWhole_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("whole");
        QTest::newRow("1600 pixels") << 1600 << true;
        QTest::newRow("narrow") << 500 << false;
    }
    void hintIsReadableWhole()
    {
        QFETCH(int, width);
        QFETCH(bool, whole);
        Frame()->resize(width, 600);
        Edit()->setPlainText(QStringLiteral("2H2 + O2 = 2H2O"));
        CChemStatus* status = Frame()->ChemStatus();
        const QString hint = status->HintText();
        QVERIFY(hint.size() > 60);
        QLabel* label = status->HintLabel();
        QCOMPARE(label->text() == hint, whole);
        // Two hints here: the tooltip lists them, the one shown among them once.
        const QString first = hint.section(QStringLiteral(" (+"), 0, 0);
        QVERIFY(hint.endsWith(QStringLiteral("(+1 more)")));
        QCOMPARE(label->toolTip().count(first), 1);
        QCOMPARE(label->toolTip().count(QLatin1Char('\n')), 1);
        if (!whole)
            return;
        // A single hint shown whole needs no tooltip.
        Edit()->setPlainText(QStringLiteral("co"));
        QCOMPARE(label->text(), status->HintText());
        QCOMPARE(label->toolTip(), QString());
    }

    // File > Export writes what molvex2-render's writer writes for the document.
    void exportWritesThePicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("PNG") << "x.png" << int(PictureFormat::Png) << QByteArray("\x89PNG");
        QTest::newRow("SVG") << "x.SVG" << int(PictureFormat::Svg) << QByteArray("<?xml");
        QTest::newRow("PDF") << "x.pdf" << int(PictureFormat::Pdf) << QByteArray("%PDF-");
        QTest::newRow("WMF") << "x.wmf" << int(PictureFormat::Wmf) << QByteArray("\xD7\xCD\xC6\x9A");
    }
    void exportWritesThePicture()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        QFETCH(QByteArray, magic);
        CMolvexDoc* doc = Frame()->ActiveDocument();
        doc->SetEquationText("Na+ + Cl- => NaCl(s)");
        m_editor->exportChoice = ExportChoice{m_dir.filePath(name), 3.0};
        Command(cmd::FileExport);
        QCOMPARE(m_editor->exportAsked, QStringList{App().Documents().Title(*doc)});
        QCOMPARE(m_editor->messages, QStringList());
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(magic));
        RenderSettings settings;
        settings.scale = 3.0;
        const QByteArray expected = EquationPictureFile(*doc, PictureFormat(format), settings);
        if (PictureFormat(format) == PictureFormat::Pdf)
            QCOMPARE(bytes.size(), expected.size()); // a PDF carries its time of making
        else
            QCOMPARE(bytes, expected);
        QVERIFY(Frame()->statusBar()->currentMessage().contains(m_dir.filePath(name)));
    }

    void exportFailureIsSaid_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no such folder") << "none/x.png" << QByteArray("H2O") << "No such file or directory";
        QTest::newRow("nothing to typeset") << "empty.png" << QByteArray() << "nothing to typeset";
        QTest::newRow("unknown type") << "x.gif" << QByteArray("H2O") << "unknown output format";
    }
    void exportFailureIsSaid()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        Frame()->ActiveDocument()->SetEquationText(text.toStdString());
        const QString path = m_dir.filePath(name);
        m_editor->exportChoice = ExportChoice{path, 1.0};
        Command(cmd::FileExport);
        QCOMPARE(m_editor->messages.size(), 1);
        QVERIFY2(m_editor->messages[0].startsWith(QStringLiteral("Export|%1: ").arg(path)) &&
                     m_editor->messages[0].contains(reason),
                 qPrintable(m_editor->messages[0]));
        QVERIFY(!QFile::exists(path));
    }

    // Leaving with several unsaved documents asks once; each answer does what it says.
    void exitAsksOnceForAll_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QList<int>>("save");
        QTest::newRow("cancel") << true << QList<int>();
        QTest::newRow("discard all") << false << QList<int>();
        QTest::newRow("save all") << false << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("save some") << false << QList<int>{1, 3};
    }
    void exitAsksOnceForAll()
    {
        QFETCH(bool, cancel);
        QFETCH(QList<int>, save);
        QStringList paths, titles;
        for (int i = 0; i < 5; ++i) {
            paths << SavedDocument(QStringLiteral("doc%1.mv2").arg(i), "H2O");
            CMolvexDoc* doc = App().Documents().Open(paths.last());
            QVERIFY(doc);
            doc->SetEquationText("CO2");
            titles << QStringLiteral("doc%1.mv2").arg(i);
        }
        m_editor->saveMany = cancel ? std::nullopt : std::optional<QList<int>>(save);
        QCOMPARE(Frame()->close(), !cancel);
        QCOMPARE(m_editor->manyAsked, QList<QStringList>{titles});
        QCOMPARE(m_editor->questions, 0);
        for (int i = 0; i < 5; ++i) {
            CMolvexDoc reread(App().State());
            QVERIFY(reread.OpenFile(paths[i].toStdString()).ok);
            QCOMPARE(reread.Lines().texts[0], std::string(save.contains(i) ? "CO2" : "H2O"));
        }
    }

    void exitWithOneUnsavedAsksAsBefore()
    {
        Frame()->ActiveDocument()->SetEquationText("CO2");
        App().Documents().New();
        QVERIFY(Frame()->close());
        QCOMPARE(m_editor->questions, 1);
        QVERIFY(m_editor->manyAsked.isEmpty());
    }

    void saveChangesDialog()
    {
        CSaveChangesDialog dialog({QStringLiteral("a.mv2"), QStringLiteral("Molvex2"), QStringLiteral("c.mv2")});
        QCOMPARE(dialog.Chosen(), (QList<int>{0, 1, 2}));
        QCOMPARE(dialog.SaveButton()->text(), QStringLiteral("Save All"));
        dialog.List()->item(1)->setCheckState(Qt::Unchecked);
        QCOMPARE(dialog.Chosen(), (QList<int>{0, 2}));
        QCOMPARE(dialog.SaveButton()->text(), QStringLiteral("Save Selected"));
        dialog.DiscardButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Chosen(), QList<int>());
    }

    // The save question is titled with the document's name.
    void savePromptNamesTheDocument()
    {
        CMolvexApp app; // its own prompts, not the test's
        QString title;
        QTimer::singleShot(0, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            title = box->windowTitle();
            static_cast<QDialog*>(box)->reject();
        });
        app.askToSave(QStringLiteral("notes.mv2"));
        QCOMPARE(title, QStringLiteral("notes.mv2"));
    }

    // The recent files move from the organisation's long-named folder to the one the
    // configuration files live in, once.
    void recentFilesTakenOverOnce()
    {
        QTemporaryDir config;
        const QString former = config.filePath(QStringLiteral("Tamrel Software/Molvex.conf"));
        const QString now = config.filePath(QStringLiteral("Tamrel/Molvex.conf"));
        {
            QSettings old(former, QSettings::IniFormat);
            old.setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/tmp/old.mv2"));
        }
        CDocumentManager& documents = App().Documents();
        documents.settingsPath = now;
        documents.formerSettingsPath = former;
        documents.LoadRecentFiles();
        QCOMPARE(documents.RecentFiles(), QStringList{QStringLiteral("/tmp/old.mv2")});
        QVERIFY(!QFile::exists(former));
        documents.AddToRecentFiles(QStringLiteral("/tmp/new.mv2"));
        QCOMPARE(QSettings(now, QSettings::IniFormat).value(QStringLiteral("Recent File List/File1")).toString(),
                 QStringLiteral("/tmp/new.mv2"));
        QCOMPARE(CDocumentManager::DefaultSettingsPath().section(QLatin1Char('/'), -2),
                 QStringLiteral("Tamrel/Molvex.conf"));
    }

    // What assistive technology reads: the view's spoken equation and the caret's line,
    // kept up to date (the change events reach a screen reader only through a real
    // accessibility bridge, which the AT-SPI check covers), and the names of the box, the panes and the sliders.
    void accessibleTexts()
    {
        Edit()->setPlainText(QStringLiteral("2H2 + O2 => 2H2O\nNa+ + Cl- => NaCl(s)"));
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(View());
        QVERIFY(view);
        QCOMPARE(view->role(), QAccessible::Graphic);
        const QString name = view->text(QAccessible::Name);
        QVERIFY2(name.contains(QStringLiteral("hydrogen"), Qt::CaseInsensitive) ||
                     name.contains(QStringLiteral("H 2"), Qt::CaseInsensitive),
                 qPrintable(name));
        QVERIFY2(view->text(QAccessible::Description).startsWith(QStringLiteral("Line 1: ")),
                 qPrintable(view->text(QAccessible::Description)));
        CaretTo(1);
        QVERIFY(view->text(QAccessible::Description).startsWith(QStringLiteral("Line 2: ")));

        QCOMPARE(QAccessible::queryAccessibleInterface(Edit())->text(QAccessible::Name),
                 QStringLiteral("Equation text"));
        QAccessibleInterface* balance = QAccessible::queryAccessibleInterface(Frame()->ChemStatus()->BalanceLabel());
        QVERIFY(balance->text(QAccessible::Name).startsWith(QStringLiteral("Balance: ")));

        COptionsDialog options(App().State());
        QStringList sliders;
        for (QSlider* s : options.findChildren<QSlider*>())
            sliders << QAccessible::queryAccessibleInterface(s)->text(QAccessible::Name);
        sliders.sort();
        QCOMPARE(sliders, (QStringList{"Default Arrow Width", "Levels: Arrows", "Levels: Phase", "Levels: Subscript",
                                       "Levels: Super", "Text Sizes: Arrow Text", "Text Sizes: Phase",
                                       "Text Sizes: Subscript", "Text Sizes: Super", "Vertical: Spacing"}));
    }
};

QTEST_MAIN(TestUsability)
#include "tst_usability.moc"
