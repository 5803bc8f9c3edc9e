// molvex2-render-qt: the whole command-line renderer, with Qt for fonts and painting;
// molvex2-render runs it for whatever needs more than the built-in faces.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <QGuiApplication>

#include "cli/RenderTool.h"

namespace {

// The tool speaks for itself: Qt's warnings (a missing runtime folder and the like)
// would only clutter its output. Errors still get through.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "molvex2-render: " << message.toLocal8Bit().constData() << "\n";
}

bool Unset(const char* name)
{
    const char* v = std::getenv(name);
    return !v || !*v;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto parsed = cli::ParseArgs(args, error);
    if (!parsed) {
        std::cerr << "molvex2-render: " << error << "\n";
        return cli::kExitUsage;
    }

    std::unique_ptr<QGuiApplication> app;
    if (cli::NeedsGui(*parsed)) {
        // Headless by default: without a display Qt would refuse to start.
        if (Unset("QT_QPA_PLATFORM") && Unset("DISPLAY") && Unset("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(QuietMessages);
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    return cli::Run(*parsed, std::cout, std::cerr);
}
