#pragma once
// The scale of a client area: which unit its coordinates count in (ScaleMode) or, for the user
// scale, which coordinates its edges have; and the conversions between those units and pixels.
#include <QSize>
#include <QString>
#include <cstdint>

namespace platform {

// Scale modes.
constexpr int16_t vbUser = 0;
constexpr int16_t vbTwips = 1;
constexpr int16_t vbPoints = 2;
constexpr int16_t vbPixels = 3;
constexpr int16_t vbCharacters = 4;
constexpr int16_t vbInches = 5;
constexpr int16_t vbMillimeters = 6;
constexpr int16_t vbCentimeters = 7;
constexpr int16_t vbHimetric = 8;

class ClientScale {
public:
    int16_t ScaleMode() const { return scaleMode_; }
    void setScaleMode(int16_t mode);  // non-zero: the scale becomes the client area in that unit
    float ScaleWidth() const;
    float ScaleHeight() const;
    float ScaleLeft() const;
    float ScaleTop() const;
    void setScaleWidth(float value);   // these four switch ScaleMode to 0 (user)
    void setScaleHeight(float value);
    void setScaleLeft(float value);
    void setScaleTop(float value);
    // A width or height converted from one scale mode's units to another's; -1 means the
    // current ScaleMode.
    double ScaleX(double value, int16_t fromScale = vbHimetric, int16_t toScale = -1) const;
    double ScaleY(double value, int16_t fromScale = vbHimetric, int16_t toScale = -1) const;
    // Positions in scale units <-> client pixels.
    double toPixelsX(double x) const;
    double toPixelsY(double y) const;
    double fromPixelsX(double px) const;
    double fromPixelsY(double py) const;

protected:
    ClientScale() = default;
    ~ClientScale() = default;
    virtual QSize clientPixels() const = 0;  // the size of the client area
    virtual void scaleModeSet(int16_t mode) const = 0;  // told of every setScaleMode, before it is checked

private:
    double unitsPerPixelX(int16_t mode) const;
    double unitsPerPixelY(int16_t mode) const;

    int16_t scaleMode_ = vbTwips;
    double userLeft_ = 0, userTop_ = 0, userWidth_ = 0, userHeight_ = 0;  // ScaleMode 0
};

} // namespace platform
