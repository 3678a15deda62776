#include "transpik/PixelBracket.h"

#include "core/Numbers.h"

PixelBracket::PixelBracket(platform::Surface& container, platform::Surface& control)
    : container_(container), control_(control), containerMode_(container.ScaleMode())
{
    container_.setScaleMode(platform::vbPixels);
    controlMode_ = control_.ScaleMode();
    control_.setScaleMode(platform::vbPixels);
}

void PixelBracket::undo()
{
    container_.setScaleMode(int16_t(containerMode_));
    control_.setScaleMode(controlMode_);
}

ControlInterior readInterior(platform::Surface& control)
{
    ControlInterior area;
    area.W = toInt32(control.ScaleWidth());
    area.H = toInt32(control.ScaleHeight());
    const int16_t border = toInt16(2.0 * control.BorderStyle());
    area.X0 = toInt32(control.Left() + border);
    area.Y0 = toInt32(control.Top() + border);
    return area;
}
