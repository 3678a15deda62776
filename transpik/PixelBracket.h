#pragma once
// The pixel bracket of the transitions: while one runs, the container and the control both
// measure in pixels. Undone explicitly at the end; a transition stopped by an error leaves
// the scale units as they were at that moment, as every other setting.
#include "Surface.h"

#include <cstdint>

class PixelBracket {
public:
    PixelBracket(platform::Surface& container, platform::Surface& control);
    void undo();

private:
    platform::Surface& container_;
    platform::Surface& control_;
    int32_t containerMode_;
    int16_t controlMode_ = 0;
};
