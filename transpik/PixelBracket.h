#pragma once
// The pixel bracket of the transitions: while one runs, the container and the control both
// measure in pixels. Undone explicitly at the end; a transition stopped by an error leaves
// the scale units as they were at that moment, as every other setting.
#include "platform/Surface.h"

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

// Where the control's interior lies on its container, in pixels (inside the pixel bracket):
// its size W x H and its top-left corner X0, Y0 past the border.
struct ControlInterior {
    int32_t W = 0;
    int32_t H = 0;
    int32_t X0 = 0;
    int32_t Y0 = 0;
};
ControlInterior readInterior(platform::Surface& control);
