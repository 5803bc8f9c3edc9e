// The hand-over from a second launch to the running editor: the socket's private
// folder, paths with quotes or too long for one command, a modal dialog in the way.
#include "tests/shell/ShellFixture.h"

#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QMdiArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

#include "document/MolvexDoc.h"
#include "shell/CommandLine.h"
#include "shell/DdeCommands.h"
#include "shell/InstanceChannel.h"
#include "shell/MainFrame.h"

class TestInstance : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QuietEditor> m_editor;
    CMolvexApp& App() { return *m_editor->app; }

    // A saved document at `relative` under the test folder, folders made as needed.
    QString SavedDocument(const QString& relative)
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        MolvexAppState state;
        CMolvexDoc doc(state);
        doc.SetEquationText("H2 + Cl2 -> 2HCl");
        return doc.SaveFile(EncodeFileName(path).toStdString()).ok ? path : QString();
    }

    HandOver Send(const QStringList& commands)
    {
        CInstanceServer server([this](const QString& c) { return App().OnInstanceCommand(c); });
        const QString name = m_dir.filePath(QStringLiteral("socket/instance"));
        if (!EnsurePrivateFolder(QFileInfo(name).path()) || !server.Listen(name))
            return HandOver::NoEditor;
        std::atomic<int> result{-1};
        std::thread sender([&] { result = static_cast<int>(SendToRunningInstance(name, commands, 5000)); });
        QDeadlineTimer deadline(10000);
        while (result.load() == -1 && !deadline.hasExpired())
            QTest::qWait(10);
        sender.join();
        return static_cast<HandOver>(result.load());
    }

private slots:
    void init()
    {
        m_editor = std::make_unique<QuietEditor>(m_dir.path());
        QVERIFY(App().InitInstance({}));
        App().MainFrame()->MdiArea()->closeAllSubWindows();
        QTRY_COMPARE(App().Documents().Count(), std::size_t(0));
    }
    void cleanup() { m_editor.reset(); }

    void socketFolderMustBePrivate_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("usable");
        QTest::newRow("missing: made private") << QStringLiteral("missing") << true;
        QTest::newRow("private") << QStringLiteral("0700") << true;
        QTest::newRow("readable by others") << QStringLiteral("0755") << false;
        QTest::newRow("link to a private folder") << QStringLiteral("link") << false;
        QTest::newRow("a file") << QStringLiteral("file") << false;
        QTest::newRow("another user's") << QStringLiteral("foreign") << false;
    }
    void socketFolderMustBePrivate()
    {
        QFETCH(QString, kind);
        QFETCH(bool, usable);
        const QString folder = m_dir.filePath(QStringLiteral("folder-") + kind);
        const QByteArray path = QFile::encodeName(folder);
        if (kind == QLatin1String("0700") || kind == QLatin1String("0755") || kind == QLatin1String("foreign"))
            QVERIFY(::mkdir(path.constData(), kind == QLatin1String("0755") ? 0755 : 0700) == 0);
        if (kind == QLatin1String("0755"))
            QVERIFY(::chmod(path.constData(), 0755) == 0);
        if (kind == QLatin1String("link")) {
            QVERIFY(QDir().mkdir(folder + QStringLiteral(".target")));
            QVERIFY(QFile::link(folder + QStringLiteral(".target"), folder));
        }
        if (kind == QLatin1String("file")) {
            QFile f(folder);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        if (kind == QLatin1String("foreign") && (::geteuid() != 0 || ::chown(path.constData(), 65534, 65534) != 0))
            QSKIP("only root can make a folder another user's");
        QString why;
        QCOMPARE(EnsurePrivateFolder(folder, &why), usable);
        QCOMPARE(why.isEmpty(), usable);
        if (usable) {
            struct stat st {};
            QVERIFY(::lstat(path.constData(), &st) == 0);
            QCOMPARE(st.st_mode & 0777, mode_t(0700));
        }
    }

    void pathsOfEveryShapeArrive_data()
    {
        QTest::addColumn<QString>("relative");
        const QString segment = QStringLiteral("folder with \"quotes\" ").repeated(8); // about 190 characters
        QTest::newRow("quotes") << QStringLiteral("say \"hello\".mv2");
        QTest::newRow("600 characters") << segment + QLatin1Char('/') + segment + QLatin1Char('/') + segment +
                                               QStringLiteral("/eq.mv2");
        QTest::newRow("quotes and wide characters at every cut")
            << QString(QStringLiteral("\"\U0001F9EA")).repeated(45) + QLatin1Char('/') +
                   QString(QStringLiteral("\"\U0001F9EA")).repeated(45) + QLatin1Char('/') +
                   QString(QStringLiteral("a\"\U0001F9EA")).repeated(30) + QStringLiteral(".mv2");
        QTest::newRow("a byte that is not UTF-8") << DecodeFileName(QByteArray("bad\xFF" "byte.mv2"));
    }
    void pathsOfEveryShapeArrive()
    {
        QFETCH(QString, relative);
        const QString path = SavedDocument(relative);
        QVERIFY(!path.isEmpty());
        const QStringList commands = OpenCommandsFor(path);
        for (const QString& c : commands)
            QVERIFY(c.size() <= kDdeCommandChars);
        QCOMPARE(Send(commands), HandOver::Delivered);
        QTRY_COMPARE(App().Documents().Count(), std::size_t(1));
        QCOMPARE(App().Documents().Path(*App().Documents().Document(0)), path);
    }

    void commandsTheEditorCannotReadAreRefused()
    {
        QCOMPARE(Send({QStringLiteral("[format(\"c:\")]")}), HandOver::Refused);
        QCOMPARE(Send({QStringLiteral("[open(\"unterminated)]")}), HandOver::Refused);
        QCOMPARE(App().Documents().Count(), std::size_t(0));
    }

    void theAnswerLeavesBeforeTheCommandRuns()
    {
        // A file that cannot be opened makes the editor tell the user; the other
        // launch must have its answer by then, or it would start an editor of its own.
        QVERIFY(App().OnInstanceCommand(OpenCommandFor(m_dir.filePath(QStringLiteral("missing.mv2")))));
        QVERIFY(m_editor->messages.isEmpty());
        QTRY_COMPARE(m_editor->messages.size(), 1);
    }

    void commandsWaitForTheModalDialog()
    {
        const QString path = SavedDocument(QStringLiteral("while a dialog is open.mv2"));
        QDialog dialog(App().MainFrame());
        dialog.setModal(true);
        dialog.show();
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        QCOMPARE(Send(OpenCommandsFor(path)), HandOver::Delivered);
        QTest::qWait(500);
        QCOMPARE(App().Documents().Count(), std::size_t(0));
        dialog.close();
        QTRY_COMPARE(App().Documents().Count(), std::size_t(1));
        QCOMPARE(App().Documents().Path(*App().Documents().Document(0)), path);
    }
};

QTEST_MAIN(TestInstance)
#include "tst_instance.moc"
