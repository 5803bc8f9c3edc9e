// molvex2: the chemical equation editor.
#include <QApplication>
#include <QFileInfo>

#include "shell/CommandLine.h"
#include "shell/InstanceChannel.h"
#include "shell/MolvexApp.h"

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Molvex 2"));
    QApplication::setDesktopFileName(QStringLiteral("molvex2"));

    const QStringList arguments = qapp.arguments().mid(1);
    const CommandLineRequest request = ParseCommandLine(JoinArguments(arguments));
    // A launch by the user hands its document to the editor already running.
    if (request.action == CommandLineRequest::Action::OpenDocument ||
        request.action == CommandLineRequest::Action::NewDocument) {
        const QString command = request.action == CommandLineRequest::Action::OpenDocument
                                    ? OpenCommandFor(QFileInfo(request.path).absoluteFilePath())
                                    : QStringLiteral("[new()]");
        if (SendToRunningInstance(DefaultInstanceName(), command, 2000))
            return 0;
    }

    CMolvexApp app;
    if (!app.InitInstance(arguments))
        return 1;
    return qapp.exec();
}
