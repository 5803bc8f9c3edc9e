// Kept apart from the files that include the engine's line header: QGuiApplication
// brings in the X11 Display typedef, which clashes with the engine's Display codes.
#include <cmath>

#include <QGuiApplication>
#include <QScreen>

#include "platform/QtDeviceContext.h"
#include "platform/Render.h"

std::unique_ptr<CQtDC> CreateScreenDC()
{
    constexpr int kDefaultDpi = 96;
    int dpiX = kDefaultDpi;
    int dpiY = kDefaultDpi;
    if (qGuiApp) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            dpiX = static_cast<int>(std::lround(screen->logicalDotsPerInchX()));
            dpiY = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
        }
    }
    return std::make_unique<CQtDC>(dpiX > 0 ? dpiX : kDefaultDpi, dpiY > 0 ? dpiY : kDefaultDpi);
}
