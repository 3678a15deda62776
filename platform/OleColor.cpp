#include "platform/OleColor.h"

#include <iterator>

namespace platform {

namespace {
// The classic desktop scheme's system colours, by index (0xRRGGBB).
constexpr uint32_t systemColours[] = {
    0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,  // 0-7
    0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0,  // 8-15
    0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000,  // 16-23
    0xFFFFE1,                                                                        // 24
};
} // namespace

QRgb oleColorToRgb(uint32_t color)
{
    if (color & 0x80000000) {
        const uint32_t index = color & 0xFFFF;
        if (index < std::size(systemColours))
            return 0xFF000000 | systemColours[index];
        return 0xFF000000;
    }
    return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

uint32_t rgbToOleColor(QRgb rgb) { return uint32_t(qRed(rgb)) | (uint32_t(qGreen(rgb)) << 8) | (uint32_t(qBlue(rgb)) << 16); }

} // namespace platform
