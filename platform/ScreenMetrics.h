#pragma once
// What the game asks of the screen: its size and its twips per pixel (1440 / logical DPI).
// Tests set the metrics of the worked examples (800 x 600, 1024 x 768, large fonts).
#include <optional>

namespace platform {

struct ScreenInfo {
    int widthPixels = 0;
    int heightPixels = 0;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

class ScreenMetrics {
public:
    static ScreenInfo current();  // the primary screen, or the test override
    static double widthTwips() { auto s = current(); return s.widthPixels * s.twipsPerPixelX; }
    static double heightTwips() { auto s = current(); return s.heightPixels * s.twipsPerPixelY; }
    static double twipsPerPixelX() { return current().twipsPerPixelX; }
    static double twipsPerPixelY() { return current().twipsPerPixelY; }

    static void setOverride(std::optional<ScreenInfo> info);  // test seam
};

} // namespace platform
