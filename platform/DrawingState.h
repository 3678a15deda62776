#pragma once
// The drawing properties a surface keeps for its control (the raster calls do not use them):
// the foreground colour, the current drawing position and the pen's mode, style and width.
#include <cstdint>

namespace platform {

class DrawingState {
public:
    uint32_t ForeColor() const { return foreColor_; }
    void setForeColor(uint32_t color) { foreColor_ = color; }
    float CurrentX() const { return currentX_; }
    void setCurrentX(float value) { currentX_ = value; }
    float CurrentY() const { return currentY_; }
    void setCurrentY(float value) { currentY_ = value; }
    int16_t DrawMode() const { return drawMode_; }
    void setDrawMode(int16_t value) { drawMode_ = value; }
    int16_t DrawStyle() const { return drawStyle_; }
    void setDrawStyle(int16_t value) { drawStyle_ = value; }
    int16_t DrawWidth() const { return drawWidth_; }
    void setDrawWidth(int16_t value) { drawWidth_ = value; }

private:
    uint32_t foreColor_ = 0x80000012;
    float currentX_ = 0, currentY_ = 0;
    int16_t drawMode_ = 13, drawStyle_ = 0, drawWidth_ = 1;
};

} // namespace platform
