#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace platform {

namespace {
std::optional<ScreenInfo> overrideInfo;
}

ScreenInfo ScreenMetrics::current()
{
    if (overrideInfo)
        return *overrideInfo;
    ScreenInfo info;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = screen->size();
        info.widthPixels = size.width();
        info.heightPixels = size.height();
        // Twips per pixel is 1440 / logical DPI: 15 at 96 DPI, 12 at 120 DPI (large fonts).
        if (screen->logicalDotsPerInchX() > 0)
            info.twipsPerPixelX = std::nearbyint(1440.0 / screen->logicalDotsPerInchX());
        if (screen->logicalDotsPerInchY() > 0)
            info.twipsPerPixelY = std::nearbyint(1440.0 / screen->logicalDotsPerInchY());
    }
    return info;
}

void ScreenMetrics::setOverride(std::optional<ScreenInfo> info) { overrideInfo = info; }

} // namespace platform
