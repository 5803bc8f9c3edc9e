// The entry box: its keys, the road of a change to the document, the Edit commands and
// the refill from the document.
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <algorithm>
#include <QClipboard>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTestEventList>

#include "document/MolvexDoc.h"
#include "engine/Cp1252.h"
#include "shell/CommandIds.h"
#include "shell/CommandTables.h"
#include "shell/EntryEdit.h"
#include "shell/MainFrame.h"
#include "shell/MolvexView.h"

namespace {

QString Lines(int n, int from = 1)
{
    QStringList l;
    for (int i = 0; i < n; ++i)
        l << QStringLiteral("L%1").arg(from + i);
    return l.join(QLatin1Char('\n'));
}

} // namespace

class TestEntryBox : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QuietEditor> m_editor;
    CMainFrame* Frame() { return m_editor->app->MainFrame(); }
    CEntryEdit* Edit() { return m_editor->app->EntryEdit(); }
    CMolvexDoc* Doc() { return Frame()->ActiveDocument(); }

private slots:
    void init()
    {
        m_editor = std::make_unique<QuietEditor>(m_dir.path());
        QVERIFY(m_editor->app->InitInstance({}));
        QVERIFY(QTest::qWaitForWindowExposed(Frame()));
        Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        Edit()->setFocus();
        QVERIFY(Doc());
        QVERIFY(!Doc()->IsModified());
    }
    void cleanup()
    {
        m_editor.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(), QApplication::topLevelWidgets().end(),
                             [](QWidget* w) { return w->isVisible(); }));
    }

    void keys_data()
    {
        QTest::addColumn<QTestEventList>("events");
        QTest::addColumn<QString>("line0");
        QTest::addColumn<QString>("line1");
        QTest::addColumn<int>("caretLine");
        QTest::addColumn<bool>("modified");

        QTestEventList typed;
        typed.addKeyClicks(QStringLiteral("2H2 + O2 => 2H2O"));
        QTest::newRow("typed text reaches the document") << typed << "2H2 + O2 => 2H2O" << "" << 0 << true;

        QTestEventList tab;
        tab.addKeyClicks(QStringLiteral("a"));
        tab.addKeyClick(Qt::Key_Tab);
        tab.addKeyClicks(QStringLiteral("b"));
        QTest::newRow("tab types 175") << tab << QStringLiteral("a\u00AFb") << "" << 0 << true;

        QTestEventList backtab;
        backtab.addKeyClick(Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::newRow("shift+tab types 175") << backtab << QStringLiteral("\u00AF") << "" << 0 << true;

        QTestEventList ret;
        ret.addKeyClick(Qt::Key_Return);
        QTest::newRow("return moves down only") << ret << "" << "" << 1 << false;

        QTestEventList enter;
        enter.addKeyClick(Qt::Key_Enter, Qt::KeypadModifier);
        enter.addKeyClick(Qt::Key_Return, Qt::ControlModifier);
        QTest::newRow("enter and ctrl+return move down") << enter << "" << "" << 2 << false;

        QTestEventList twoLines;
        twoLines.addKeyClicks(QStringLiteral("ab"));
        twoLines.addKeyClick(Qt::Key_Return);
        twoLines.addKeyClicks(QStringLiteral("c"));
        QTest::newRow("second line") << twoLines << "ab" << "c" << 1 << true;
    }
    void keys()
    {
        QFETCH(QTestEventList, events);
        QFETCH(QString, line0);
        QFETCH(QString, line1);
        QFETCH(int, caretLine);
        QFETCH(bool, modified);

        const QString before = Edit()->toPlainText();
        for (QTestEvent* e : events) {
            // Replacement keys are posted: each arrives after the key that caused it.
            e->simulate(Edit());
            QCoreApplication::processEvents();
        }
        QCOMPARE(Edit()->textCursor().blockNumber(), caretLine);
        QCOMPARE(QApplication::focusWidget(), Edit());
        QCOMPARE(QString::fromStdString(Cp1252ToUtf8(Doc()->Lines().texts[0])), line0);
        QCOMPARE(QString::fromStdString(Cp1252ToUtf8(Doc()->Lines().texts[1])), line1);
        QCOMPARE(Doc()->IsModified(), modified);
        // No key ever types a line break: the box keeps its 20 lines.
        QCOMPARE(Edit()->toPlainText().count(QLatin1Char('\n')), 19);
        if (!modified)
            QCOMPARE(Edit()->toPlainText(), before);
    }

    void pastedLines_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("last");
        QTest::newRow("25 lines") << 25 << "L20\r\nL21\r\nL22\r\nL23\r\nL24\r\nL25";
        QTest::newRow("20 lines") << 20 << "L20";
        QTest::newRow("3 lines") << 3 << "";
    }
    void pastedLines()
    {
        QFETCH(int, count);
        QFETCH(QString, last);
        Edit()->selectAll();
        Edit()->textCursor().removeSelectedText();
        QGuiApplication::clipboard()->setText(Lines(count));
        Frame()->Commands().Action(cmd::EditPaste)->trigger();
        const auto& texts = Doc()->Lines().texts;
        for (int i = 0; i < 19; ++i)
            QCOMPARE(QString::fromStdString(texts[i]), i < count ? QStringLiteral("L%1").arg(i + 1) : QString());
        QCOMPARE(QString::fromStdString(texts[19]), last);
    }

    void editCommandsReachTheBox_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::addColumn<QString>("line0After");
        QTest::newRow("copy") << cmd::EditCopy << "H2O" << "H2O + X";
        QTest::newRow("cut") << cmd::EditCut << "H2O" << " + X";
        QTest::newRow("paste") << cmd::EditPaste << "CO2" << "CO2 + X";
        QTest::newRow("undo") << cmd::EditUndo << "CO2" << "";
    }
    void editCommandsReachTheBox()
    {
        QFETCH(int, command);
        QFETCH(QString, clipboardAfter);
        QFETCH(QString, line0After);

        QTest::keyClicks(Edit(), QStringLiteral("H2O + X"));
        QTextCursor c = Edit()->textCursor();
        c.setPosition(0);
        c.setPosition(3, QTextCursor::KeepAnchor);
        Edit()->setTextCursor(c);
        QGuiApplication::clipboard()->setText(QStringLiteral("CO2"));

        CMolvexView* view = Frame()->ActiveDocFrame()->View();
        view->setFocus();
        QCOMPARE(QApplication::focusWidget(), view);
        if (command == cmd::EditUndo) {
            // Undo reverts the typing, the last action in the box.
            while (Edit()->document()->isUndoAvailable())
                Frame()->Commands().Action(command)->trigger();
        } else {
            Frame()->Commands().Action(command)->trigger();
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboardAfter);
        QCOMPARE(QString::fromStdString(Doc()->Lines().texts[0]), line0After);
        QCOMPARE(QApplication::focusWidget(), view);
    }

    void activateFrameRefills()
    {
        CMolvexDoc* doc = Doc();
        doc->SetEquationText("A\r\n\r\nB\xB0");
        doc->SetModifiedFlag(false);
        Edit()->SetTextQuietly(QStringLiteral("something else"));
        Frame()->ActiveDocFrame()->showNormal();

        Frame()->ActivateFrame();

        QVERIFY(Frame()->ActiveDocFrame()->isMaximized());
        QCOMPARE(Edit()->toPlainText(), QStringLiteral("A\n\nB\u00B0") + QString(17, QLatin1Char('\n')));
        QVERIFY(!doc->IsModified());
        QCOMPARE(doc->Lines().texts[2], std::string("B\xB0"));
    }

    void switchingDocumentsShowsTheirText()
    {
        CMolvexDoc* first = Doc();
        QTest::keyClicks(Edit(), QStringLiteral("first"));
        CMolvexDoc* second = &m_editor->app->Documents().New();
        QCOMPARE(Doc(), second);
        QTest::keyClicks(Edit(), QStringLiteral("second"));
        Frame()->MdiArea()->setActiveSubWindow(Frame()->FrameOf(*first));
        QCOMPARE(Edit()->toPlainText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("first"));
        QCOMPARE(second->Lines().texts[0], std::string("second"));
        QCOMPARE(first->Lines().texts[0], std::string("first"));
    }

    void typingWithoutDocumentsChangesNothing()
    {
        Frame()->MdiArea()->closeAllSubWindows();
        QTRY_COMPARE(m_editor->app->Documents().Count(), std::size_t(0));
        Edit()->setFocus();
        QTest::keyClicks(Edit(), QStringLiteral("abc"));
        QCOMPARE(m_editor->app->Documents().Count(), std::size_t(0));
    }

    // Text from other programs (the clipboard, the D-Bus interface) ends its lines in
    // any of the three ways; each ends exactly one line.
    void lineEndsFromOutside_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<int>("secondLine");
        QTest::newRow("LF") << "H2O\nCO2" << QByteArray("H2O\r\nCO2") << 1;
        QTest::newRow("CR LF") << "H2O\r\nCO2" << QByteArray("H2O\r\nCO2") << 1;
        QTest::newRow("lone CR") << "H2O\rCO2" << QByteArray("H2O\r\nCO2") << 1;
        QTest::newRow("two lone CRs") << "H2O\r\rCO2" << QByteArray("H2O\r\n\r\nCO2") << 2;
    }
    void lineEndsFromOutside()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, document);
        QFETCH(int, secondLine);
        QCOMPARE(QByteArray::fromStdString(EntryTextToDocument(text)), document);
        Edit()->selectAll();
        Edit()->textCursor().removeSelectedText();
        QGuiApplication::clipboard()->setText(text);
        Frame()->Commands().Action(cmd::EditPaste)->trigger();
        QCOMPARE(Doc()->Lines().texts[0], std::string("H2O"));
        QCOMPARE(Doc()->Lines().texts[secondLine], std::string("CO2"));
    }

    void textConversion_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("document");
        QTest::newRow("line breaks become CR LF") << "a\nb" << QByteArray("a\r\nb");
        QTest::newRow("Windows-1252 letters") << QStringLiteral("\u00E9\u00AF\u00B0") << QByteArray("\xE9\xAF\xB0");
        QTest::newRow("euro sign") << QStringLiteral("\u20AC") << QByteArray("\x80");
        QTest::newRow("not in Windows-1252") << QStringLiteral("\u03BD") << QByteArray("?");
    }
    void textConversion()
    {
        QFETCH(QString, box);
        QFETCH(QByteArray, document);
        QCOMPARE(QByteArray::fromStdString(EntryTextToDocument(box)), document);
        if (!document.contains('?'))
            QCOMPARE(DocumentTextToEntry(document.toStdString()), box);
    }
};

QTEST_MAIN(TestEntryBox)
#include "tst_entrybox.moc"
