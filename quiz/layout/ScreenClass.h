#pragma once
// The quiz window's sizes by screen class (1 to 5, from the screen height in pixels).
#include <cstdint>

struct ScreenClassValues {
    int16_t screenClass;
    int16_t baseFontSize;     // before the large-font reduction
    int16_t spacingX;
    int16_t spacingY;
    int16_t bottomMargin;     // pixels, used by the load step only
    int16_t fontReduction;    // points taken off on a large-font display
    int16_t closeFontDrop;    // the Close button's font is BaseFontSize minus this
};

// Class 1; 2 above 500 lines, 3 above 650, 4 above 778, 5 above 874.
const ScreenClassValues& ScreenClassFor(int16_t screenHeightPixels);
