// The main window as a place to work in: the keyboard focus on opening, the view's
// zoom and scrolling, the entry box's size, the state after the last document, the
// Window menu, Redo and the file dialogs' folder.
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <algorithm>

#include "document/MolvexDoc.h"
#include "shell/AppDialogs.h"
#include "shell/CommandIds.h"
#include "shell/CommandTables.h"
#include "shell/EntryEdit.h"
#include "shell/MainFrame.h"
#include "shell/MolvexView.h"

class TestWorkspace : public EditorTest {
    Q_OBJECT

private:
    QMenu* Menu(const QString& title)
    {
        for (QAction* a : Frame()->menuBar()->actions())
            if (a->text() == title)
                return a->menu();
        return nullptr;
    }

private slots:
    void init() { StartEditor(); }
    void cleanup() { StopEditor(); }

    void focusGoesToTheEntryBox_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("File New") << "new";
        QTest::newRow("File Open") << "open";
        QTest::newRow("another launch") << "dde";
    }
    void focusGoesToTheEntryBox()
    {
        QFETCH(QString, how);
        const QString path = SavedDocument(QStringLiteral("focus.mv2"), "H2O");
        View()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(View()));
        if (how == QLatin1String("new"))
            Command(cmd::FileNew);
        else if (how == QLatin1String("open"))
            App().Documents().Open(path);
        else
            QVERIFY(App().OnDDECommand(QStringLiteral("[open(\"%1\")]").arg(path)));
        QCOMPARE(App().Documents().Count(), std::size_t(2));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Edit()));
        // Activating the main window alone leaves the focus where it is.
        View()->setFocus();
        Frame()->ActivateFrame();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(View()));
    }

    void zoom_data()
    {
        QTest::addColumn<QList<int>>("commands");
        QTest::addColumn<int>("zoom");
        QTest::newRow("in") << QList<int>{cmd::ZoomIn} << 110;
        QTest::newRow("in twice") << QList<int>{cmd::ZoomIn, cmd::ZoomIn} << 125;
        QTest::newRow("out") << QList<int>{cmd::ZoomOut} << 90;
        QTest::newRow("actual size") << QList<int>{cmd::ZoomIn, cmd::ZoomIn, cmd::ZoomActual} << 100;
        QTest::newRow("stops at the largest") << QList<int>(30, cmd::ZoomIn) << 800;
        QTest::newRow("stops at the smallest") << QList<int>(30, cmd::ZoomOut) << 25;
    }
    void zoom()
    {
        QFETCH(QList<int>, commands);
        QFETCH(int, zoom);
        CMolvexDoc* doc = Frame()->ActiveDocument();
        doc->SetEquationText("2H2 + O2 => 2H2O");
        doc->SetModifiedFlag(false);
        const std::string font = App().State().options.font.value.ToText();
        const QSize actual = View()->ContentSize();
        QSignalSpy spy(View(), &CMolvexView::zoomChanged);
        for (int id : commands)
            Command(id);
        QCOMPARE(View()->Zoom(), zoom);
        QCOMPARE(Frame()->ZoomPane()->text(), QStringLiteral("%1%").arg(zoom));
        QVERIFY(!spy.isEmpty());
        QCOMPARE(spy.last().at(0).toInt(), zoom);
        // Only the view's mapping changes: not the font, not the document.
        QCOMPARE(App().State().options.font.value.ToText(), font);
        QVERIFY(!doc->IsModified());
        // Fonts realised at the zoomed size measure a little differently from the
        // actual size scaled.
        const int scaled = actual.width() * zoom / 100;
        QVERIFY(qAbs(View()->ContentSize().width() - scaled) <= scaled / 10 + 1);
    }

    void ctrlWheelZooms_data()
    {
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("zoom");
        QTest::newRow("up") << 120 << 110;
        QTest::newRow("down") << -120 << 90;
    }
    void ctrlWheelZooms()
    {
        QFETCH(int, delta);
        QFETCH(int, zoom);
        const QPoint at = View()->viewport()->rect().center();
        QWheelEvent wheel(at, View()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(View()->viewport(), &wheel);
        QCOMPARE(View()->Zoom(), zoom);
    }

    void viewFollowsTheLineBeingEdited()
    {
        QStringList lines;
        for (int i = 1; i <= 20; ++i)
            lines << QStringLiteral("Fe%1+ + e- => Fe(s)").arg(i);
        Edit()->setPlainText(lines.join(QLatin1Char('\n')));
        QScrollBar* bar = View()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0); // twenty lines are taller than the window
        QTextCursor c = Edit()->textCursor();
        c.movePosition(QTextCursor::End);
        Edit()->setTextCursor(c);
        QCOMPARE(bar->value(), bar->maximum());
        c.movePosition(QTextCursor::Start);
        Edit()->setTextCursor(c);
        QCOMPARE(bar->value(), 0);
        View()->SetInPlaceActive(true);
        QCOMPARE(bar->maximum(), 0);
    }

    // Typing repaints only the rows of the changed line when the others stay put; what
    // the window shows must still be what a whole repaint draws.
    void typingShowsWhatAWholeRepaintDraws_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("keys"); // '<' is Backspace
        QTest::addColumn<int>("zoom");
        QTest::newRow("end of the last line") << 19 << QStringLiteral("x2+<<") << 100;
        QTest::newRow("middle line, the others stay") << 5 << QStringLiteral("<<<<Fe") << 100;
        QTest::newRow("middle line grows taller") << 5 << QStringLiteral("=heat,cold>") << 100;
        QTest::newRow("first line, zoomed") << 0 << QStringLiteral("<<<x") << 150;
        QTest::newRow("emptied and filled again") << 12 << QStringLiteral("<<<Na") << 67;
    }
    void typingShowsWhatAWholeRepaintDraws()
    {
        QFETCH(int, line);
        QFETCH(QString, keys);
        QFETCH(int, zoom);
        QStringList lines;
        for (int i = 1; i <= 20; ++i)
            lines << QStringLiteral("Fe%1+ + e- => Fe(s)").arg(i);
        lines[12] = QStringLiteral("Na+");
        Edit()->setPlainText(lines.join(QLatin1Char('\n')));
        View()->SetZoom(zoom);
        QTextCursor c(Edit()->document()->findBlockByNumber(line));
        c.movePosition(QTextCursor::EndOfBlock);
        Edit()->setTextCursor(c);
        Edit()->setFocus();
        QWidget* viewport = View()->viewport();
        // What the window shows, from its backing store.
        const auto shown = [&] {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            const QPoint at = viewport->mapTo(Frame(), QPoint(0, 0));
            return Frame()->screen()->grabWindow(Frame()->winId(), at.x(), at.y(), viewport->width(), viewport->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        const QImage before = shown();
        for (QChar k : keys) {
            if (k == QLatin1Char('<'))
                QTest::keyClick(Edit(), Qt::Key_Backspace);
            else
                QTest::keyClicks(Edit(), QString(k));
            const QImage now = shown();
            QCOMPARE(now, viewport->grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
        QVERIFY(shown() != before);
    }

    void entryBoxSize()
    {
        CEntryBar* bar = Frame()->EntryBar();
        QCOMPARE(Edit()->height(), bar->HeightForLines(CEntryBar::kMinLines));
        QVERIFY(Edit()->height() >= 5 * Edit()->fontMetrics().lineSpacing());
        // It takes the width the window gains.
        const int before = Edit()->width();
        Frame()->resize(Frame()->width() + 300, Frame()->height());
        QTRY_VERIFY(Edit()->width() >= before + 250);
        // Dragging the grip sets the height, within five and twenty lines.
        QWidget* grip = bar->Grip();
        const int start = Edit()->height();
        QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(10, 2));
        QMouseEvent move(QEvent::MouseMove, QPointF(10, 42), grip->mapToGlobal(QPointF(10, 42)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grip, &move);
        QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(10, 42));
        QCOMPARE(Edit()->height(), start + 40);
        bar->SetEditHeight(1);
        QCOMPARE(Edit()->height(), bar->HeightForLines(CEntryBar::kMinLines));
        bar->SetEditHeight(100000);
        QCOMPARE(Edit()->height(), bar->HeightForLines(CEntryBar::kMaxLines));
    }

    void afterTheLastDocument()
    {
        QTest::keyClicks(Edit(), QStringLiteral("CH4"));
        Frame()->ActiveDocument()->SetModifiedFlag(false);
        Frame()->MdiArea()->closeAllSubWindows();
        QTRY_COMPARE(App().Documents().Count(), std::size_t(0));
        QCOMPARE(Edit()->toPlainText(), QString());
        QVERIFY(!Edit()->isEnabled());
        QVERIFY(!Frame()->Commands().Action(cmd::ZoomIn)->isEnabled());
        // Paste reaches no box either.
        Command(cmd::EditPaste);
        QCOMPARE(Edit()->toPlainText(), QString());
        Command(cmd::FileNew);
        QVERIFY(Edit()->isEnabled());
    }

    void windowMenuAndTitles()
    {
        CMolvexDoc* first = Frame()->ActiveDocument();
        const QString path = SavedDocument(QStringLiteral("t.mv2"), "NaCl");
        CMolvexDoc* second = App().Documents().Open(path);
        QVERIFY(second);
        second->SetEquationText("KCl");
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("t.mv2[*]"));
        QVERIFY(Frame()->isWindowModified());

        auto listed = [this] {
            QStringList got;
            for (QAction* a : Menu(QStringLiteral("&Window"))->actions())
                if (a->data().toInt() >= cmd::WindowListFirst && a->isVisible())
                    got << a->text() + (a->isChecked() ? QStringLiteral(" (current)") : QString());
            return got;
        };
        QCOMPARE(listed(), (QStringList{"&1 Molvex1", "&2 t.mv2* (current)"}));
        Command(cmd::WindowNext);
        QCOMPARE(Frame()->ActiveDocument(), first);
        Command(cmd::WindowPrevious);
        QCOMPARE(Frame()->ActiveDocument(), second);
        for (QAction* a : Menu(QStringLiteral("&Window"))->actions())
            if (a->text() == QLatin1String("&1 Molvex1"))
                a->trigger();
        QCOMPARE(Frame()->ActiveDocument(), first);
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("Molvex1[*]"));

        // Restored from maximised, a window has room to work in.
        for (QMdiSubWindow* w : Frame()->MdiArea()->subWindowList()) {
            w->showNormal();
            QVERIFY2(w->width() >= CMainFrame::kRestoredWidth && w->height() >= CMainFrame::kRestoredHeight,
                     qPrintable(QStringLiteral("%1x%2").arg(w->width()).arg(w->height())));
        }

        // Tiled windows stay tiled when the main window is activated again, until
        // one is maximised.
        Command(cmd::WindowTile);
        Frame()->ActivateFrame();
        for (QMdiSubWindow* w : Frame()->MdiArea()->subWindowList())
            QVERIFY(!w->isMaximized());
        Frame()->ActiveDocFrame()->showMaximized();
        Frame()->ActiveDocFrame()->showNormal();
        Frame()->ActivateFrame();
        QVERIFY(Frame()->ActiveDocFrame()->isMaximized());
    }

    void redo()
    {
        QTest::keyClicks(Edit(), QStringLiteral("H2"));
        CMolvexDoc* doc = Frame()->ActiveDocument();
        while (Edit()->document()->isUndoAvailable())
            Command(cmd::EditUndo);
        QCOMPARE(doc->Lines().texts[0], std::string());
        View()->setFocus();
        while (Edit()->document()->isRedoAvailable())
            Command(cmd::EditRedo);
        QCOMPARE(doc->Lines().texts[0], std::string("H2"));
    }

    void moreThanTwentyLines_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("pane");
        QTest::newRow("20 lines") << 20 << QString();
        QTest::newRow("21 lines") << 21 << "Only the first 20 of 21 lines are typeset";
        QTest::newRow("38 lines") << 38 << "Only the first 20 of 38 lines are typeset";
    }
    void moreThanTwentyLines()
    {
        QFETCH(int, count);
        QFETCH(QString, pane);
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << QStringLiteral("L%1").arg(i);
        Edit()->setPlainText(lines.join(QLatin1Char('\n')));
        QCOMPARE(Frame()->LinesPane()->isVisibleTo(Frame()), !pane.isEmpty());
        if (!pane.isEmpty())
            QCOMPARE(Frame()->LinesPane()->text(), pane);
        // A reopened document says the same, from its own lines.
        Command(cmd::FileNew);
        QVERIFY(!Frame()->LinesPane()->isVisibleTo(Frame()));
        Command(cmd::WindowPrevious);
        QCOMPARE(Frame()->LinesPane()->isVisibleTo(Frame()), !pane.isEmpty());
    }

    void placeCaret_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("column");
        QTest::newRow("first line") << 0 << 3 << 0 << 3;
        QTest::newRow("third line") << 2 << 1 << 2 << 1;
        QTest::newRow("past the end") << 0 << 99 << 0 << 4;
        QTest::newRow("rest in line 20") << 19 << 7 << 20 << 2; // "L19\r\nL20": 7 is before its last "0"
    }
    void placeCaret()
    {
        QFETCH(int, line);
        QFETCH(int, position);
        QFETCH(int, block);
        QFETCH(int, column);
        QStringList lines{"H2O2", "", "CO"};
        for (int i = 4; i <= 21; ++i)
            lines << QStringLiteral("L%1").arg(i - 1);
        Edit()->setPlainText(lines.join(QLatin1Char('\n')));
        View()->setFocus();
        Frame()->PlaceCaret(line, position);
        QCOMPARE(Edit()->textCursor().blockNumber(), block);
        QCOMPARE(Edit()->textCursor().positionInBlock(), column);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Edit()));
    }

    // Clicking a character of the view puts the entry box's caret before it; resting
    // on one tells in the status bar how it was read.
    void hitTesting_data()
    {
        QTest::addColumn<int>("zoom");
        QTest::newRow("actual size") << 100;
        QTest::newRow("zoomed in") << 200;
    }
    void hitTesting()
    {
        QFETCH(int, zoom);
        Edit()->setPlainText(QStringLiteral("A\n2H2 + O2 => 2H2O"));
        View()->SetZoom(zoom);
        QWidget* port = View()->viewport();
        // Find the subscript 2 of O2 (position 7 of the second line) along the line.
        QPoint at;
        for (int y = 0; y < port->height() && at.isNull(); ++y)
            for (int x = 0; x < port->width() && at.isNull(); ++x)
                if (const auto hit = View()->HitAt(QPoint(x, y)); hit && hit->line == 1 && hit->position == 7)
                    at = QPoint(x, y);
        QVERIFY(!at.isNull());
        QTest::mouseMove(port, at);
        QTRY_COMPARE(Frame()->statusBar()->currentMessage(),
                     QStringLiteral(u"Line 2, \u201C2\u201D: subscript (class 9), lowered (display code 3)"));
        QTest::mouseClick(port, Qt::LeftButton, {}, at);
        QCOMPARE(Edit()->textCursor().blockNumber(), 1);
        QCOMPARE(Edit()->textCursor().positionInBlock(), 7);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Edit()));
        // Nothing there: no caret move.
        QVERIFY(!View()->HitAt(QPoint(port->width() - 2, port->height() - 2)));
    }

    void fileDialogsStartInTheLastFolder_data()
    {
        QTest::addColumn<QStringList>("recent");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("start");
        QTest::newRow("nothing known") << QStringList() << QString() << QString();
        QTest::newRow("most recent file") << QStringList{"/a/b/x.mv2", "/c/y.mv2"} << QString() << "/a/b";
        QTest::newRow("last chosen wins") << QStringList{"/a/b/x.mv2"} << "/d/e/z.mv2"
                                          << "/d/e";
    }
    void fileDialogsStartInTheLastFolder()
    {
        QFETCH(QStringList, recent);
        QFETCH(QString, chosen);
        QFETCH(QString, start);
        CFileDialogs dialogs;
        dialogs.Remember(chosen);
        QCOMPARE(dialogs.StartFolder(recent), start);
    }
};

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
