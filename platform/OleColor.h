#pragma once
// Colours as the game stores them: 0x00BBGGRR, or 0x80000000 plus a system colour index
// (0x80000012 is the button text colour).
#include <QRgb>
#include <cstdint>

namespace platform {

QRgb oleColorToRgb(uint32_t color);  // opaque 0xFFRRGGBB; an unknown system index gives black
uint32_t rgbToOleColor(QRgb rgb);    // 0x00BBGGRR

} // namespace platform
