#include "platform/ClientScale.h"

#include "core/RunTimeError.h"
#include "platform/ScreenMetrics.h"

namespace platform {

namespace {

RunTimeError invalidScale() { return RunTimeError(QStringLiteral("The scale of a window or control: Invalid property value")); }

// Units per pixel of the fixed scale modes along one axis, from the screen's twips per pixel
// on it; a character cell is 120 twips wide and 240 twips high.
double fixedUnitsPerPixel(int16_t mode, double tpp, double twipsPerCharacter)
{
    switch (mode) {
    case vbTwips: return tpp;
    case vbPoints: return tpp / 20.0;
    case vbPixels: return 1.0;
    case vbCharacters: return tpp / twipsPerCharacter;
    case vbInches: return tpp / 1440.0;
    case vbMillimeters: return tpp * 25.4 / 1440.0;
    case vbCentimeters: return tpp * 2.54 / 1440.0;
    case vbHimetric: return tpp * 2540.0 / 1440.0;
    default: throw invalidScale();
    }
}

void requireNonZero(float value)
{
    if (value == 0)
        throw invalidScale();
}

} // namespace

double ClientScale::unitsPerPixelX(int16_t mode) const
{
    if (mode != vbUser)
        return fixedUnitsPerPixel(mode, ScreenMetrics::twipsPerPixelX(), 120.0);
    const int width = clientPixels().width();
    return width > 0 ? userWidth_ / width : userWidth_;
}

double ClientScale::unitsPerPixelY(int16_t mode) const
{
    if (mode != vbUser)
        return fixedUnitsPerPixel(mode, ScreenMetrics::twipsPerPixelY(), 240.0);
    const int height = clientPixels().height();
    return height > 0 ? userHeight_ / height : userHeight_;
}

void ClientScale::setScaleMode(int16_t mode)
{
    scaleModeSet(mode);
    if (mode < vbUser || mode > vbCentimeters)
        throw invalidScale();
    if (mode == vbUser) {
        // The user scale starts from the current one.
        userLeft_ = ScaleLeft();
        userTop_ = ScaleTop();
        userWidth_ = ScaleWidth();
        userHeight_ = ScaleHeight();
    }
    scaleMode_ = mode;
}

float ClientScale::ScaleWidth() const
{
    return static_cast<float>(scaleMode_ == vbUser ? userWidth_ : clientPixels().width() * unitsPerPixelX(scaleMode_));
}

float ClientScale::ScaleHeight() const
{
    return static_cast<float>(scaleMode_ == vbUser ? userHeight_ : clientPixels().height() * unitsPerPixelY(scaleMode_));
}

float ClientScale::ScaleLeft() const { return static_cast<float>(scaleMode_ == vbUser ? userLeft_ : 0.0); }
float ClientScale::ScaleTop() const { return static_cast<float>(scaleMode_ == vbUser ? userTop_ : 0.0); }

void ClientScale::setScaleWidth(float value)
{
    requireNonZero(value);
    setScaleMode(vbUser);
    userWidth_ = value;
}

void ClientScale::setScaleHeight(float value)
{
    requireNonZero(value);
    setScaleMode(vbUser);
    userHeight_ = value;
}

void ClientScale::setScaleLeft(float value)
{
    setScaleMode(vbUser);
    userLeft_ = value;
}

void ClientScale::setScaleTop(float value)
{
    setScaleMode(vbUser);
    userTop_ = value;
}

double ClientScale::ScaleX(double value, int16_t fromScale, int16_t toScale) const
{
    return value / unitsPerPixelX(fromScale) * unitsPerPixelX(toScale < 0 ? scaleMode_ : toScale);
}

double ClientScale::ScaleY(double value, int16_t fromScale, int16_t toScale) const
{
    return value / unitsPerPixelY(fromScale) * unitsPerPixelY(toScale < 0 ? scaleMode_ : toScale);
}

double ClientScale::toPixelsX(double x) const { return (x - ScaleLeft()) / unitsPerPixelX(scaleMode_); }
double ClientScale::toPixelsY(double y) const { return (y - ScaleTop()) / unitsPerPixelY(scaleMode_); }
double ClientScale::fromPixelsX(double px) const { return px * unitsPerPixelX(scaleMode_) + ScaleLeft(); }
double ClientScale::fromPixelsY(double py) const { return py * unitsPerPixelY(scaleMode_) + ScaleTop(); }

} // namespace platform
