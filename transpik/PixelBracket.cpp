#include "PixelBracket.h"

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
