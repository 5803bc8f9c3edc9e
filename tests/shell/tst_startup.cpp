// Start-up: the command-line rules, the registration, the start modes, and the
// application's own commands (help files, About, Font).
#include "tests/shell/ShellFixture.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontDialog>
#include <QTimer>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "document/AppState.h"
#include "document/MolvexDoc.h"
#include "shell/AppDialogs.h"
#include "shell/CommandLine.h"
#include "shell/FontCommand.h"
#include "shell/HelpCommands.h"
#include "shell/MainFrame.h"
#include "shell/Registration.h"

Q_DECLARE_METATYPE(CommandLineRequest::Action)

namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool AnyVisibleWindow()
{
    const auto widgets = QApplication::topLevelWidgets();
    return std::any_of(widgets.begin(), widgets.end(), [](QWidget* w) { return w->isVisible(); });
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        using A = CommandLineRequest::Action;
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<A>("action");
        QTest::addColumn<QString>("path");

        QTest::newRow("empty") << QStringList() << A::NewDocument << "";
        QTest::newRow("blanks only") << QStringList{"  "} << A::NewDocument << "";
        QTest::newRow("embedding, slash, lower case") << QStringList{"/embedding"} << A::Embedding << "";
        QTest::newRow("embedding, dash") << QStringList{"-Embedding"} << A::Embedding << "";
        QTest::newRow("embedding with a path") << QStringList{"-EMBEDDING", "x.mv2"} << A::Embedding << "";
        QTest::newRow("automation") << QStringList{"-Automation"} << A::Automation << "";
        QTest::newRow("automation, slash") << QStringList{"/automation"} << A::Automation << "";
        QTest::newRow("register") << QStringList{"-r"} << A::Register << "";
        QTest::newRow("register with more") << QStringList{"-r", "now"} << A::Register << "";
        QTest::newRow("path") << QStringList{"/tmp/a.mv2"} << A::OpenDocument << "/tmp/a.mv2";
        QTest::newRow("path with blanks, split")
            << QStringList{"/tmp/my", "equation", "file.mv2"} << A::OpenDocument << "/tmp/my equation file.mv2";
        QTest::newRow("quoted path") << QStringList{"\"/tmp/my file.mv2\""} << A::OpenDocument << "/tmp/my file.mv2";
        QTest::newRow("name beginning with -r") << QStringList{"-rates.mv2"} << A::OpenDocument << "-rates.mv2";
        QTest::newRow("option inside a path is no option")
            << QStringList{"/tmp/-embedding.mv2"} << A::OpenDocument << "/tmp/-embedding.mv2";
        QTest::newRow("a lone quote") << QStringList{"\""} << A::OpenDocument << "\"";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLineRequest::Action, action);
        QFETCH(QString, path);
        const CommandLineRequest r = ParseCommandLine(JoinArguments(arguments));
        QCOMPARE(r.action, action);
        QCOMPARE(r.path, path);
    }

    // A name's bytes, UTF-8 or not, come back the same from the command line; valid
    // UTF-8 reads as the text it is.
    void fileNamesKeepTheirBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII") << QByteArray("/tmp/a.mv2");
        QTest::newRow("UTF-8") << QByteArray("\xC3\xA9t\xC3\xA9 \xF0\x9F\xA7\xAA.mv2");
        QTest::newRow("a byte that is not UTF-8") << QByteArray("bad\xFF" "byte.mv2");
        QTest::newRow("Latin-1") << QByteArray("caf\xE9.mv2");
        QTest::newRow("cut sequence at the end") << QByteArray("a\xE2\x82");
        QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80.mv2");
    }
    void fileNamesKeepTheirBytes()
    {
        QFETCH(QByteArray, bytes);
        const char* argv[] = {"molvex2", bytes.constData()};
        const CommandLineRequest r = ParseCommandLine(JoinArguments(ArgumentsFrom(2, argv)));
        QCOMPARE(r.action, CommandLineRequest::Action::OpenDocument);
        QCOMPARE(EncodeFileName(r.path), bytes);
        if (QString::fromUtf8(bytes).toUtf8() == bytes)
            QCOMPARE(r.path, QString::fromUtf8(bytes));
    }

    // A settings file that cannot be read is named in the status bar from the start,
    // and stays as it was when the program ends.
    void unreadableSettingsAreReported()
    {
        QTemporaryDir dir;
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        const QString ini = dir.filePath(QStringLiteral("Tamrel/MLV2.ini"));
        QVERIFY(QDir().mkpath(ini)); // a folder where the file should be: unreadable, even as root
        {
            QuietEditor editor(dir.path());
            QVERIFY(editor.app->InitInstance({}));
            const QLabel* pane = editor.app->MainFrame()->SettingsPane();
            QVERIFY(pane && pane->isVisibleTo(editor.app->MainFrame()) && pane->text().contains(QStringLiteral("MLV2.ini")));
            QVERIFY2(pane->toolTip().contains(ini) && pane->toolTip().contains(QStringLiteral("it is a folder")),
                     qPrintable(pane->toolTip()));
        }
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QVERIFY(QFileInfo(ini).isDir());
    }

    void registration()
    {
        QTemporaryDir dir;
        QuietEditor editor(dir.path());
        editor.app->registrationFolder = dir.filePath(QStringLiteral("share"));
        const QString oldEntry = dir.filePath(QStringLiteral("share/applications/molvex2.desktop"));
        QVERIFY(QDir().mkpath(QFileInfo(oldEntry).path()));
        QFile(oldEntry).open(QIODevice::WriteOnly);
        QVERIFY(!editor.app->InitInstance({QStringLiteral("-r")}));
        QVERIFY2(!QFile::exists(oldEntry), "an earlier registration's entry would show the program twice");
        QVERIFY(!AnyVisibleWindow());

        const QString share = dir.filePath(QStringLiteral("share"));
        const QByteArray mime = Read(share + QStringLiteral("/mime/packages/com.tamrel.Molvex2.xml"));
        QVERIFY(mime.contains("type=\"application/x-molvex2\""));
        QVERIFY(mime.contains("<glob pattern=\"*.mv2\"/>"));
        QVERIFY(mime.contains("<sub-class-of type=\"application/x-ole-storage\"/>"));

        const QByteArray desktop = Read(share + QStringLiteral("/applications/com.tamrel.Molvex2.desktop"));
        QVERIFY2(desktop.contains("\nExec=\"/"), desktop.constData());
        for (const char* line : {"MimeType=application/x-molvex2;\n",
                                 "Categories=Science;Chemistry;\n", "Type=Application\n"})
            QVERIFY2(desktop.contains(line), line);

        const QByteArray service = Read(share + QStringLiteral("/dbus-1/services/com.tamrel.Molvex2.service"));
        QVERIFY(service.startsWith("[D-BUS Service]\n"));
        QVERIFY(service.contains("Name=com.tamrel.Molvex2\n"));
        const QRegularExpression exec(QStringLiteral("Exec=\"(/[^\"]+)\" -Embedding\\n"));
        QVERIFY2(exec.match(QString::fromUtf8(service)).hasMatch(), service.constData());

        QVERIFY(Read(share + QStringLiteral("/icons/hicolor/scalable/apps/com.tamrel.Molvex2.svg")).contains("<svg"));
        QVERIFY(Read(share + QStringLiteral("/icons/hicolor/scalable/mimetypes/application-x-molvex2.svg"))
                    .contains("<svg"));
    }

    void registrationFailureIsReported()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const RegistrationResult r = WriteRegistration(dir.filePath(QStringLiteral("file")), "/usr/bin/molvex2", false);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
    }

    // Exec lines must start the program wherever it lives, blanks and shell characters included.
    void execArguments_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("service");
        QTest::newRow("plain") << "/usr/bin/molvex2" << "\"/usr/bin/molvex2\"" << "\"/usr/bin/molvex2\"";
        QTest::newRow("blank") << "/home/a b/molvex2" << "\"/home/a b/molvex2\"" << "\"/home/a b/molvex2\"";
        QTest::newRow("shell characters") << "/o/$x`\"\\m" << "\"/o/\\\\$x\\\\`\\\\\"\\\\\\\\m\""
                                          << "\"/o/\\$x\\`\\\"\\\\m\"";
        QTest::newRow("field code sign") << "/o/100%/molvex2" << "\"/o/100%%/molvex2\"" << "\"/o/100%/molvex2\"";
    }
    void execArguments()
    {
        QFETCH(QString, path);
        QFETCH(QString, desktop);
        QFETCH(QString, service);
        QCOMPARE(DesktopExecArgument(path), desktop);
        QCOMPARE(ServiceExecArgument(path), service);
    }

    void startModes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("window");
        QTest::addColumn<int>("documents");
        QTest::addColumn<int>("pending");
        QTest::newRow("new document") << QStringList() << true << true << 1 << 1;
        // No server in this build of the test: starting it fails and the program ends
        // without having shown anything.
        QTest::newRow("embedding shows nothing") << QStringList{"/embedding"} << false << false << 0 << 0;
        QTest::newRow("missing file: no document") << QStringList{"/nonexistent/x y.mv2"} << true << true << 0 << 1;
    }
    void startModes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, started);
        QFETCH(bool, window);
        QFETCH(int, documents);
        QFETCH(int, pending);
        QTemporaryDir dir;
        QuietEditor editor(dir.path());
        QCOMPARE(editor.app->InitInstance(arguments), started);
        QCOMPARE(editor.app->MainFrame()->isVisible(), window);
        QCOMPARE(int(editor.app->Documents().Count()), documents);
        QCOMPARE(int(editor.app->ContainerUpdate().IsPending()), pending);
        if (documents == 0 && window) {
            QCOMPARE(editor.messages.size(), 1);
            QVERIFY(editor.messages[0].contains(QStringLiteral("/nonexistent/x y.mv2")));
        }
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Tamrel Software"));
    }

    void help_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("present"); // folders holding the document, from the program's
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("opened"); // relative to the program's folder
        const int help = int(HelpDocument::HelpFile), manual = int(HelpDocument::Manual),
                  card = int(HelpDocument::QuickrefCard);
        const QString installed = QStringLiteral("../share/doc/molvex2"), build = QStringLiteral("../help");
        QTest::newRow("help file") << help << QStringList{installed} << true << "" << installed + "/molvex2.html";
        QTest::newRow("manual") << manual << QStringList{installed} << true << "" << installed + "/mv2_manl.pdf";
        QTest::newRow("card in the build tree") << card << QStringList{build} << true << "" << build + "/mv2_card.pdf";
        QTest::newRow("beside the program") << card << QStringList{"."} << true << "" << "./mv2_card.pdf";
        QTest::newRow("installed before build tree")
            << manual << QStringList{".", build, installed} << true << "" << installed + "/mv2_manl.pdf";
        QTest::newRow("missing help file") << help << QStringList() << true << "File Error" << "";
        QTest::newRow("missing manual") << manual << QStringList() << true << "File Error" << "";
        QTest::newRow("no PDF reader") << card << QStringList{installed} << false << "Cannot find Adobe Acrobat" << "";
        QTest::newRow("help file needs no PDF reader")
            << help << QStringList{installed} << false << "" << installed + "/molvex2.html";
    }
    void help()
    {
        QFETCH(int, which);
        QFETCH(QStringList, present);
        QFETCH(bool, viewer);
        QFETCH(QString, caption);
        QFETCH(QString, opened);
        QTemporaryDir dir;
        const QDir program(dir.filePath(QStringLiteral("bin")));
        QVERIFY(QDir().mkpath(program.path()));
        const auto doc = HelpDocument(which);
        for (const QString& folder : present) {
            QVERIFY(QDir().mkpath(program.filePath(folder)));
            QFile f(program.filePath(folder + QLatin1Char('/') + HelpDocumentName(doc)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("%PDF-1.4\n");
        }
        QString openedPath;
        HelpOpener opener;
        opener.open = [&](const QString& p, const std::function<void()>&) {
            openedPath = p;
            return true;
        };
        opener.hasViewer = [&](const QString&) { return viewer; };
        const HelpMessage m = MessageFor(OpenHelpDocument(doc, program.path(), opener));
        QCOMPARE(m.caption, caption);
        if (caption == QLatin1String("File Error"))
            QCOMPARE(m.text, QStringLiteral("I cannot locate that file"));
        QCOMPARE(openedPath, opened.isEmpty() ? QString() : QDir::cleanPath(program.filePath(opened)));
    }

    void aboutVersionLine()
    {
        CAboutDialog about;
        auto* first = about.findChild<QLabel*>(QStringLiteral("line1"));
        QVERIFY(first);
        QVERIFY2(QRegularExpression(QStringLiteral("^Molvex V\\d+\\.\\d{3}\\.\\d+$")).match(first->text()).hasMatch(),
                 qPrintable(first->text()));
    }

    void fontChoice_data()
    {
        QTest::addColumn<qreal>("points");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("lfHeight");
        QTest::addColumn<int>("himetric");
        QTest::newRow("14 pt at 96") << 14.0 << 96 << -19 << 493;
        QTest::newRow("10.5 pt at 96") << 10.5 << 96 << -14 << 370;
        QTest::newRow("12 pt at 120") << 12.0 << 120 << -20 << 423;
        QTest::newRow("8 pt at 96") << 8.0 << 96 << -11 << 282;
        QTest::newRow("72 pt at 96") << 72.0 << 96 << -96 << 2539;
    }
    void fontChoice()
    {
        QFETCH(qreal, points);
        QFETCH(int, dpi);
        QFETCH(int, lfHeight);
        QFETCH(int, himetric);
        KVLogFont base;
        base.lf.lfOutPrecision = 3;
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPointSizeF(points);
        font.setBold(true);
        font.setItalic(true);
        font.setUnderline(true);
        font.setStrikeOut(true);
        const KVLogFont r = RecordFromChoice(base, font, RGB(128, 0, 0), dpi);
        QCOMPARE(r.lf.lfHeight, lfHeight);
        QCOMPARE(r.himetricHeight, himetric);
        QCOMPARE(r.lf.lfWeight, 700);
        QCOMPARE(int(r.lf.lfItalic), 1);
        QCOMPARE(int(r.lf.lfUnderline), 1);
        QCOMPARE(int(r.lf.lfStrikeOut), 1);
        QCOMPARE(r.color, RGB(128, 0, 0));
        QCOMPARE(QString::fromLatin1(r.lf.lfFaceName), QStringLiteral("Liberation Serif"));
        QCOMPARE(int(r.lf.lfOutPrecision), 3);

        // Back into the dialog, the record shows the size it was chosen at.
        const QFont again = FontFromRecord(r, dpi);
        QCOMPARE(qRound(again.pointSizeF()), qRound(-lfHeight * 72.0 / dpi));
        QVERIFY(again.bold() && again.italic() && again.underline() && again.strikeOut());
    }

    // The dialog opens on the record's own face and OK without a change keeps the
    // record, the stored font and the document as they were.
    void fontDialogRoundTrip_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("italic");
        QTest::newRow("serif book") << "DejaVu Serif" << 400 << false;
        QTest::newRow("serif italic") << "DejaVu Serif" << 400 << true;
        QTest::newRow("bold") << "Liberation Sans" << 700 << false;
        QTest::newRow("bold italic") << "Liberation Serif" << 700 << true;
        QTest::newRow("odd height and colour") << "Liberation Serif" << 400 << false;
    }
    void fontDialogRoundTrip()
    {
        QFETCH(QString, family);
        QFETCH(int, weight);
        QFETCH(bool, italic);
        if (!QFontDatabase::families().contains(family))
            QSKIP("the font is not installed");
        QTemporaryDir dir;
        MolvexAppState state;
        state.mainStore.SetLocation(-1);
        state.mainStore.SetPath(dir.filePath(QStringLiteral("MLV2.ini")).toStdString());
        KVLogFont record;
        record.lf.SetFaceName(family.toLatin1().constData());
        record.lf.lfWeight = weight;
        record.lf.lfItalic = italic ? 1 : 0;
        record.lf.lfHeight = QTest::currentDataTag() == QLatin1String("odd height and colour") ? -15 : -16;
        record.color = QTest::currentDataTag() == QLatin1String("odd height and colour") ? RGB(1, 2, 3) : 0;
        state.options.font.value = record;
        const std::string before = record.ToText();

        CFontChooser chooser(FontFromRecord(record, 96), record.color);
        const QFont shown = chooser.FontDialog()->currentFont();
        QCOMPARE(shown.family(), family);
        QCOMPARE(shown.italic(), italic);
        QCOMPARE(shown.bold(), weight >= 600);
        QVERIFY2(!shown.styleName().contains(QLatin1String("Condensed")), qPrintable(shown.styleName()));
        QVERIFY(!ChosenFont(chooser, record, 96));

        CMolvexDoc doc(state);
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        RunFontCommand(doc, state, nullptr);
        QCOMPARE(state.options.font.value.ToText(), before);
        QVERIFY(!doc.IsModified());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("MLV2.ini"))));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
