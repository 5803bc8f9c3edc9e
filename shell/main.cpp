// molvex2: the chemical equation editor.
#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

#include "shell/CommandLine.h"
#include "shell/InstanceChannel.h"
#include "shell/MolvexApp.h"
#include "shell/Registration.h"
#include "shell/Translations.h"

namespace {

bool Unset(const char* name)
{
    const char* v = std::getenv(name);
    return !v || !*v;
}

// The server and "-r" show no window, so they must not depend on a display: without
// one they run on the offscreen platform, and a display that cannot be reached falls
// back to it. Only the process's own platform choice changes; what it starts later
// inherits the environment as it was.
class HeadlessPlatform {
public:
    explicit HeadlessPlatform(bool showsNoWindow)
    {
        if (!showsNoWindow || !Unset("QT_QPA_PLATFORM"))
            return;
        m_set = true;
        if (Unset("DISPLAY") && Unset("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        else
            qputenv("QT_QPA_PLATFORM", Unset("WAYLAND_DISPLAY") ? "xcb;offscreen" : "wayland;xcb;offscreen");
    }
    void Restore()
    {
        if (m_set)
            qunsetenv("QT_QPA_PLATFORM");
        m_set = false;
    }

private:
    bool m_set = false;
};

} // namespace

int main(int argc, char* argv[])
{
    const CommandLineRequest request = ParseCommandLine(JoinArguments(ArgumentsFrom(argc, argv)));
    using Action = CommandLineRequest::Action;
    HeadlessPlatform platform(request.action == Action::Embedding || request.action == Action::Automation ||
                              request.action == Action::Register);

    QApplication qapp(argc, argv);
    platform.Restore();
    InstallTranslations(qapp, QLocale(), TranslationFolders(QCoreApplication::applicationDirPath()));
    QApplication::setApplicationDisplayName(QStringLiteral("Molvex 2"));
    QApplication::setDesktopFileName(QLatin1String(kDesktopId));

    if (request.action == Action::Register)
        return RegisterForUser(QCoreApplication::applicationFilePath());
    // A launch by the user hands its document to the editor already running.
    if (request.action == Action::OpenDocument || request.action == Action::NewDocument) {
        const QString path = QFileInfo(request.path).absoluteFilePath();
        const QStringList commands = request.action == Action::OpenDocument ? OpenCommandsFor(path)
                                                                            : QStringList{QStringLiteral("[new()]")};
        switch (SendToRunningInstance(DefaultInstanceName(), commands, 2000)) {
        case HandOver::Delivered: return 0;
        case HandOver::Refused: {
            const QString text =
                request.action == Action::OpenDocument
                    ? QCoreApplication::translate("main", "The running Molvex 2 refused to open %1.").arg(path)
                    : QCoreApplication::translate("main", "The running Molvex 2 refused to make a new document.");
            std::fprintf(stderr, "molvex2: %s\n", qPrintable(text));
            QMessageBox::warning(nullptr, QStringLiteral("Molvex 2"), text);
            return 1;
        }
        case HandOver::NoEditor: break;
        }
    }

    CMolvexApp app;
    // What Qt left of the arguments once it took its own options, decoded as file names.
    if (!app.InitInstance(ArgumentsFrom(argc, argv)))
        return 1;
    return qapp.exec();
}
