// The main frame: its menus, toolbar and keys; DDE-style commands from another
// launch; opening, saving and closing documents; the view's drawing.
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <atomic>
#include <thread>

#include "document/MolvexDoc.h"
#include "shell/CommandIds.h"
#include "shell/CommandTables.h"
#include "shell/DdeCommands.h"
#include "shell/EntryEdit.h"
#include "shell/InstanceChannel.h"
#include "shell/MainFrame.h"
#include "shell/MolvexView.h"
#include "tests/support/FakeDC.h"

namespace {

QString Describe(QAction* a)
{
    if (a->isSeparator())
        return QStringLiteral("-");
    return a->text() + QLatin1Char('|') + QString::number(a->data().toInt());
}

QAction* FindAction(QWidget* root, int id)
{
    for (QAction* a : root->findChildren<QAction*>())
        if (!a->isSeparator() && a->data().toInt() == id)
            return a;
    return nullptr;
}

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QuietEditor> m_editor;
    CMolvexApp& App() { return *m_editor->app; }
    CMainFrame* Frame() { return m_editor->app->MainFrame(); }

    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }

private slots:
    void init()
    {
        m_editor = std::make_unique<QuietEditor>(m_dir.path());
        QVERIFY(App().InitInstance({}));
    }
    void cleanup()
    {
        m_editor.reset();
        QVERIFY(NoVisibleTopLevelWidget());
    }

    void menus_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("File") << "&File"
                              << QStringList{"&New\tCtrl+N|57600", "&Open...\tCtrl+O|57601", "&Save\tCtrl+S|57603",
                                             "Save &As...|57604", "&Export...|32790", "-", "&Print...\tCtrl+P|57607",
                                             "Print Pre&view|57609", "P&rint Setup...|57606", "-",
                                             "Recent File|57616", "-", "E&xit|57665"};
        QTest::newRow("Edit") << "&Edit"
                              << QStringList{"&Undo\tCtrl+Z|57643", "&Redo\tCtrl+Y|57644", "-", "Cu&t\tCtrl+X|57635", "&Copy\tCtrl+C|57634",
                                             "&Paste\tCtrl+V|57637", "-", "Copy as Picture\tCtrl+M|32784"};
        QTest::newRow("View") << "&View"
                              << QStringList{"&Toolbar|59392", "&Status Bar|59393", "-", "Zoom &In\tCtrl++|32785",
                                             "Zoom &Out\tCtrl+-|32786", "&Actual Size\tCtrl+0|32787"};
        // The list of document windows follows the hidden anchor (65280).
        QTest::newRow("Window") << "&Window"
                                << QStringList{"&Cascade|57650", "&Tile|57651", "-", "Ne&xt\tCtrl+F6|32788",
                                               "Pre&vious\tCtrl+Shift+F6|32789", "-", "&1 Molvex1|65280",
                                               "|65280"};
        QTest::newRow("Tools") << "&Tools"
                               << QStringList{"&Font ...|32772", "&Options ...|32771", "&Adjust Level ...|32775",
                                              "Write Default Configuration File|32776"};
        QTest::newRow("Help") << "&Help"
                              << QStringList{"Read &Help File|32777", "Read &Manual (PDF)|32781",
                                             "Read &Quickref Card|32778", "-", "&About Molvex 2...|57664",
                                             "About &Tamrel...|32773"};
    }
    void menus()
    {
        QFETCH(QString, title);
        QFETCH(QStringList, entries);
        QMenu* menu = nullptr;
        for (QAction* a : Frame()->menuBar()->actions())
            if (a->text() == title)
                menu = a->menu();
        QVERIFY(menu);
        QStringList got;
        for (QAction* a : menu->actions())
            got << Describe(a);
        QCOMPARE(got, entries);
    }

    void toolbar()
    {
        QStringList got;
        for (QAction* a : Frame()->ToolBar()->actions())
            got << (a->isSeparator() ? QStringLiteral("-") : QString::number(a->data().toInt()));
        QCOMPARE(got, (QStringList{"57600", "57601", "57603", "-", "57635", "57634", "57637", "-", "57607", "32779",
                                   "32780", "32784", "57664"}));
        for (QAction* a : Frame()->ToolBar()->actions())
            QVERIFY(a->isSeparator() || !a->icon().isNull());
    }

    void accelerators_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<int>("id");
        QTest::newRow("Ctrl+C") << QKeySequence(Qt::CTRL | Qt::Key_C) << cmd::EditCopy;
        QTest::newRow("Ctrl+X") << QKeySequence(Qt::CTRL | Qt::Key_X) << cmd::EditCut;
        QTest::newRow("Ctrl+V") << QKeySequence(Qt::CTRL | Qt::Key_V) << cmd::EditPaste;
        QTest::newRow("Ctrl+Z") << QKeySequence(Qt::CTRL | Qt::Key_Z) << cmd::EditUndo;
        QTest::newRow("Alt+Backspace") << QKeySequence(Qt::ALT | Qt::Key_Backspace) << cmd::EditUndo;
        QTest::newRow("Shift+Delete") << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << cmd::EditCut;
        QTest::newRow("Ctrl+Insert") << QKeySequence(Qt::CTRL | Qt::Key_Insert) << cmd::EditCopy;
        QTest::newRow("Shift+Insert") << QKeySequence(Qt::SHIFT | Qt::Key_Insert) << cmd::EditPaste;
        QTest::newRow("Ctrl+M") << QKeySequence(Qt::CTRL | Qt::Key_M) << cmd::CopyAsPicture;
        QTest::newRow("Ctrl+N") << QKeySequence(Qt::CTRL | Qt::Key_N) << cmd::FileNew;
        QTest::newRow("Ctrl+O") << QKeySequence(Qt::CTRL | Qt::Key_O) << cmd::FileOpen;
        QTest::newRow("Ctrl+S") << QKeySequence(Qt::CTRL | Qt::Key_S) << cmd::FileSave;
        QTest::newRow("Ctrl+P") << QKeySequence(Qt::CTRL | Qt::Key_P) << cmd::FilePrint;
        QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << 57670;
        QTest::newRow("Shift+F1") << QKeySequence(Qt::SHIFT | Qt::Key_F1) << 57669;
        QTest::newRow("F6") << QKeySequence(Qt::Key_F6) << 57680;
        QTest::newRow("Shift+F6") << QKeySequence(Qt::SHIFT | Qt::Key_F6) << 57681;
        QTest::newRow("Ctrl+Y") << QKeySequence(Qt::CTRL | Qt::Key_Y) << cmd::EditRedo;
        QTest::newRow("Ctrl+Shift+Z") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) << cmd::EditRedo;
        QTest::newRow("Ctrl++") << QKeySequence(Qt::CTRL | Qt::Key_Plus) << cmd::ZoomIn;
        QTest::newRow("Ctrl+=") << QKeySequence(Qt::CTRL | Qt::Key_Equal) << cmd::ZoomIn;
        QTest::newRow("Ctrl+-") << QKeySequence(Qt::CTRL | Qt::Key_Minus) << cmd::ZoomOut;
        QTest::newRow("Ctrl+0") << QKeySequence(Qt::CTRL | Qt::Key_0) << cmd::ZoomActual;
        QTest::newRow("Ctrl+F6") << QKeySequence(Qt::CTRL | Qt::Key_F6) << cmd::WindowNext;
        QTest::newRow("Ctrl+Shift+F6") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6) << cmd::WindowPrevious;
    }
    void accelerators()
    {
        QFETCH(QKeySequence, key);
        QFETCH(int, id);
        QList<int> owners;
        for (const auto& [actionId, a] : Frame()->Commands().Actions())
            if (a->shortcuts().contains(key))
                owners << actionId;
        QCOMPARE(owners, QList<int>{id});
    }

    void noOtherKeys()
    {
        int keys = 0;
        for (const auto& [id, a] : Frame()->Commands().Actions()) {
            keys += a->shortcuts().size();
            QVERIFY(!a->shortcuts().contains(QKeySequence(Qt::Key_Escape)));
        }
        QCOMPARE(keys, 25);
    }

    void prompts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("statusTip");
        QTest::newRow("undo") << 57643 << "Undo the last action";
        QTest::newRow("cut") << 57635 << "Cut the selection and put it on the Clipboard";
        QTest::newRow("copy") << 57634 << "Copy the selection and put it on the Clipboard";
        QTest::newRow("paste") << 57637 << "Insert Clipboard contents";
        QTest::newRow("picture") << 32784 << "Copies Equation to Clipboard as a Picture";
        QTest::newRow("options") << 32771 << "Set options for drawing equations";
        QTest::newRow("options button") << 32780 << "Change the Equation Options";
        QTest::newRow("font") << 32772 << "Select font used for equations";
        QTest::newRow("font button") << 32779 << "Change the Default Font";
        QTest::newRow("level") << 32775 << "Adjust the level when returned to a document";
        QTest::newRow("default file") << 32776 << "Writes the default configuration file for all users";
    }
    void prompts()
    {
        QFETCH(int, id);
        QFETCH(QString, statusTip);
        QAction* a = FindAction(Frame(), id);
        QVERIFY(a);
        QCOMPARE(a->statusTip(), statusTip);
    }

    void ddeExecute_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("modal");
        QTest::newRow("600 characters") << 600 << false;
        QTest::newRow("519 characters") << 519 << false;
        QTest::newRow("short") << 20 << false;
        QTest::newRow("modal dialog open") << 600 << true;
    }
    void ddeExecute()
    {
        QFETCH(int, length);
        QFETCH(bool, modal);
        QString command = QStringLiteral("[open(\"/nonexistent/");
        while (command.size() < length - 3)
            command += QLatin1Char('a' + command.size() % 26);
        command += QStringLiteral("\")]");
        command = command.left(length);

        std::unique_ptr<QDialog> dialog;
        if (modal) {
            dialog = std::make_unique<QDialog>(Frame());
            dialog->setModal(true);
            dialog->show();
        }
        QSignalSpy spy(App().DdeExecute(), &CDdeExecute::commandAccepted);
        int acks = 0;
        const bool ran = App().DdeExecute()->Execute(command, [&] { ++acks; });
        QCOMPARE(acks, 1);
        QCOMPARE(ran, !modal);
        QCOMPARE(spy.size(), modal ? 0 : 1);
        if (!modal)
            QCOMPARE(spy[0][0].toString(), command.left(std::min(length, 519)));
        dialog.reset();
    }

    void secondLaunchOpensHere()
    {
        CMolvexDoc* doc = Frame()->ActiveDocument();
        doc->SetEquationText("2H2 + O2 => 2H2O");
        const QString path = m_dir.filePath(QStringLiteral("sent by another launch.mv2"));
        QVERIFY(doc->SaveFile(path.toStdString()).ok);
        Frame()->MdiArea()->closeAllSubWindows();
        QTRY_COMPARE(App().Documents().Count(), std::size_t(0));

        CInstanceServer server([this](const QString& c) { return App().OnInstanceCommand(c); });
        const QString name = m_dir.filePath(QStringLiteral("instance"));
        QVERIFY(server.Listen(name));
        std::atomic<int> result{-1};
        std::thread sender([&] { result = SendToRunningInstance(name, OpenCommandsFor(path), 5000) == HandOver::Delivered ? 1 : 0; });
        QTRY_COMPARE(result.load(), 1);
        sender.join();
        QTRY_COMPARE(App().Documents().Count(), std::size_t(1));
        QCOMPARE(App().Documents().Path(*App().Documents().Document(0)), path);
        QCOMPARE(App().EntryEdit()->toPlainText().section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("2H2 + O2 => 2H2O"));
    }

    void oversizedCommandIsRefused()
    {
        CInstanceServer server([](const QString&) { return true; });
        const QString name = m_dir.filePath(QStringLiteral("instance2"));
        QVERIFY(server.Listen(name));
        std::atomic<int> result{-1};
        const QString huge(CInstanceServer::kMaxCommandBytes + 1, QLatin1Char('x'));
        std::thread sender([&] { result = SendToRunningInstance(name, {huge}, 3000) == HandOver::Delivered ? 1 : 0; });
        QTRY_COMPARE_WITH_TIMEOUT(result.load(), 0, 10000);
        sender.join();
    }

    void failedOpenChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing file") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray() << true;
        QTest::newRow("text") << QByteArray("not an equation at all\n") << true;
        QTest::newRow("compound signature, junk") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1junkjunk", 16) << true;
    }
    void failedOpenChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, exists);
        const QString path = exists ? WriteFile(QStringLiteral("bad.mv2"), bytes) : m_dir.filePath("none.mv2");
        CMolvexDoc* doc = Frame()->ActiveDocument();
        doc->SetEquationText("keep me");
        const std::size_t before = App().Documents().Count();

        QCOMPARE(App().Documents().Open(path), nullptr);

        QCOMPARE(App().Documents().Count(), before);
        QCOMPARE(Frame()->ActiveDocument(), doc);
        QCOMPARE(doc->Lines().texts[0], std::string("keep me"));
        QCOMPARE(m_editor->messages.size(), 1);
        QVERIFY(m_editor->messages[0].contains(path));
        QVERIFY(!App().Documents().RecentFiles().contains(path));
    }

    void saveAndReopen()
    {
        CMolvexDoc* doc = Frame()->ActiveDocument();
        doc->SetEquationText("H2O");
        // The desktop's form: document and modified mark; the platform adds the name.
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("Molvex1[*]"));
        QVERIFY(Frame()->isWindowModified());
        m_editor->savePath = m_dir.filePath(QStringLiteral("water"));
        QVERIFY(App().Documents().Save(*doc, false));
        QVERIFY(!doc->IsModified());
        QVERIFY(!Frame()->isWindowModified());
        QCOMPARE(App().Documents().Title(*doc), QStringLiteral("water.mv2"));
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("water.mv2[*]"));
        QCOMPARE(App().Documents().RecentFiles().value(0), m_dir.filePath(QStringLiteral("water.mv2")));
        // Opening it again shows the open one.
        QCOMPARE(App().Documents().Open(m_dir.filePath(QStringLiteral("water.mv2"))), doc);
        QCOMPARE(App().Documents().Count(), std::size_t(1));
    }

    // The user is told why: a full disk and a missing folder call for different things.
    void failedSaveKeepsModified_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("error");
        QTest::newRow("missing folder") << QStringLiteral("no/such/folder/x.mv2") << ENOENT;
        if (QFileInfo(QStringLiteral("/dev/full")).exists())
            QTest::newRow("disk full") << QStringLiteral("/dev/full") << ENOSPC;
    }
    void failedSaveKeepsModified()
    {
        QFETCH(QString, path);
        QFETCH(int, error);
        CMolvexDoc* doc = Frame()->ActiveDocument();
        doc->SetEquationText("H2O");
        QVERIFY(!App().Documents().SaveTo(*doc, QDir(m_dir.path()).filePath(path)));
        QVERIFY(doc->IsModified());
        QCOMPARE(m_editor->messages.size(), 1);
        QVERIFY(m_editor->messages[0].startsWith(QStringLiteral("File Save Error|")));
        QVERIFY2(m_editor->messages[0].contains(QString::fromLocal8Bit(std::strerror(error))),
                 qPrintable(m_editor->messages[0]));
        QVERIFY(App().Documents().Path(*doc).isEmpty());
    }

    void closingAModifiedDocument_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
        QTest::newRow("no") << int(QMessageBox::No) << true << false;
        QTest::newRow("yes") << int(QMessageBox::Yes) << true << true;
    }
    void closingAModifiedDocument()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        m_editor->saveAnswer = answer;
        m_editor->savePath = m_dir.filePath(QStringLiteral("closing.mv2"));
        QFile::remove(m_editor->savePath);
        Frame()->ActiveDocument()->SetEquationText("CO2");
        Frame()->ActiveDocFrame()->close();
        QCOMPARE(m_editor->questions, 1);
        QTRY_COMPARE(App().Documents().Count(), std::size_t(closed ? 0 : 1));
        QCOMPARE(QFile::exists(m_editor->savePath), saved);
        // An unmodified document closes without a question.
        if (!closed) {
            Frame()->ActiveDocument()->SetModifiedFlag(false);
            Frame()->ActiveDocFrame()->close();
            QTRY_COMPARE(App().Documents().Count(), std::size_t(0));
            QCOMPARE(m_editor->questions, 1);
        }
    }

    void closingTheWindowAsks()
    {
        Frame()->ActiveDocument()->SetEquationText("CO2");
        m_editor->saveAnswer = QMessageBox::Cancel;
        QVERIFY(!Frame()->close());
        QVERIFY(Frame()->isVisible());
        m_editor->saveAnswer = QMessageBox::No;
        QVERIFY(Frame()->close());
    }

    void viewDrawing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("one line") << QByteArray("2H2 + O2 => 2H2O") << false;
        QTest::newRow("two lines, one empty between") << QByteArray("A\r\n\r\nB(aq)") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("in place") << QByteArray("co32-(aq)<>{238,92}U=ABOVE,BELOW>") << true;
        QTest::newRow("in place, tall") << QByteArray("A\r\nB\r\nC\r\nD\r\nE") << true;
    }
    void viewDrawing()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, inPlace);
        CMolvexDoc* doc = Frame()->ActiveDocument();
        doc->SetEquationText(text.toStdString());
        doc->SetModifiedFlag(false);
        CMolvexView* view = Frame()->ActiveDocFrame()->View();
        view->SetInPlaceActive(inPlace);

        CFakeDC reference;
        reference.SetMapMode(MM_ANISOTROPIC);
        const EquationBox m = doc->MeasureEquation(reference);
        reference.ClearCalls();
        doc->DrawEquation(reference, 0, 0);

        CFakeDC dc;
        view->OnPrepareDC(dc);
        QCOMPARE(dc.MapMode(), MM_ANISOTROPIC);
        QCOMPARE(dc.WindowExt(), (SIZE{1, 1}));
        QCOMPARE(dc.WindowOrg(), (POINT{0, 0}));
        const SIZE viewport = dc.ViewportExt();
        view->OnDraw(dc, QSize(400, 120));

        const int offset = inPlace ? 0 : 10;
        // Measuring draws outside the picture first; the drawing proper comes last.
        const auto& all = dc.TextOuts();
        const auto& want = reference.TextOuts();
        QVERIFY(all.size() >= want.size());
        const std::size_t first = all.size() - want.size();
        for (std::size_t i = 0; i < want.size(); ++i) {
            QCOMPARE(all[first + i].x, want[i].x + offset);
            QCOMPARE(all[first + i].y, want[i].y + offset);
            QCOMPARE(all[first + i].text, want[i].text);
        }
        if (inPlace) {
            QCOMPARE(dc.WindowExt(), m.size);
            QCOMPARE(dc.ViewportExt(), (SIZE{397, 117}));
            // The first in-place drawing after a normal start refreshes the container once.
            QVERIFY(doc->IsModified());
            QCOMPARE(int(App().ContainerUpdate().IsPending()), 0);
            doc->SetModifiedFlag(false);
            view->OnDraw(dc, QSize(400, 120));
            QVERIFY(!doc->IsModified());
        } else {
            QCOMPARE(dc.ViewportExt(), viewport);
            QVERIFY(!doc->IsModified());
            QCOMPARE(int(App().ContainerUpdate().IsPending()), 1);
        }
    }

    void viewPaintsAtTheMargin()
    {
        CMolvexDoc* doc = Frame()->ActiveDocument();
        doc->SetEquationText("HI");
        CMolvexView* view = Frame()->ActiveDocFrame()->View();
        const QImage image = view->viewport()->grab().toImage();
        int left = image.width(), top = image.height();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                }
        QVERIFY2(left >= 10 && left <= 13, qPrintable(QString::number(left)));
        QVERIFY2(top >= 10 && top <= 16, qPrintable(QString::number(top)));
    }

    // Printing goes through the same drawing: printed to a PDF file, the text is there.
    void printsToPdf()
    {
        CMolvexDoc* doc = Frame()->ActiveDocument();
        doc->SetEquationText("Na+ + Cl- => NaCl(s)");
        CMolvexView* view = Frame()->ActiveDocFrame()->View();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("equation.pdf"));
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QVERIFY(view->PrintTo(printer));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (tool.isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess run;
        run.start(tool, {path, QStringLiteral("-")});
        QVERIFY(run.waitForFinished(30000));
        const QString text = QString::fromUtf8(run.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("Na")) && text.contains(QStringLiteral("Cl")), qPrintable(text));
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
