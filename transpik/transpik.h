#pragma once
// transpik: a picture shown with one colour transparent, able to wipe, dissolve and slide
// itself over the form that holds it (its container).
//
// The control is a thin layer over its drawing surface, a platform::Surface made as a child
// of the container: every property is a direct view of the matching surface property, and
// every write tells the host through PropertyChanged (also when the value is unchanged).
// The surface's notifications reach the host as the control's events, with the surface's own
// argument variables passed by reference.
#include "transpik/CoordTable.h"
#include "platform/Picture.h"
#include "platform/Surface.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

class PropertyBag;

class transpik {
public:
    // Makes the control's surface on `container` (hidden until the host shows it).
    explicit transpik(platform::Surface& container);
    ~transpik();
    transpik(const transpik&) = delete;
    transpik& operator=(const transpik&) = delete;

    // Host services. PropertyChanged marks the host's stored design as modified.
    std::function<void(const QString& key)> PropertyChanged;
    // The events: Click, DblClick, KeyDown, KeyPress, KeyUp, MouseDown, MouseMove, MouseUp, Paint.
    platform::Surface::Handlers Events;

    // The control as the container sees it: Left, Top, Width, Height, Visible, Move.
    platform::Surface& extender() { return *surface_; }

    uint32_t BackColor() const;
    void setBackColor(uint32_t New_BackColor);
    uint32_t ForeColor() const;
    void setForeColor(uint32_t New_ForeColor);
    bool Enabled() const;
    void setEnabled(bool New_Enabled);
    QFont Font() const;
    void setFont(const QFont& New_Font);
    int16_t BackStyle() const;  // 0 - Transparent, 1 - Solid
    void setBackStyle(int16_t New_BackStyle);
    int16_t BorderStyle() const;
    void setBorderStyle(int16_t New_BorderStyle);
    void Refresh();  // forces a complete repaint of the control
    bool AutoRedraw() const;
    void setAutoRedraw(bool New_AutoRedraw);
    float CurrentX() const;
    void setCurrentX(float New_CurrentX);
    float CurrentY() const;
    void setCurrentY(float New_CurrentY);
    platform::HDC hDC() const;
    bool HasDC() const { return false; }  // never asks the surface
    platform::HWND hwnd() const;
    uint32_t MaskColor() const;  // the colour that marks transparent areas of the picture
    void setMaskColor(uint32_t New_MaskColor);
    platform::Picture Picture() const;
    // Sizes the control to the picture's natural size on the container, then makes it the
    // surface's picture and mask picture (an empty picture keeps the size).
    void setPicture(const platform::Picture& New_Picture);
    int16_t ScaleMode() const;
    void setScaleMode(int16_t New_ScaleMode);
    float ScaleWidth() const;
    void setScaleWidth(float New_ScaleWidth);
    float ScaleHeight() const;
    void setScaleHeight(float New_ScaleHeight);
    float ScaleLeft() const;
    void setScaleLeft(float New_ScaleLeft);
    float ScaleTop() const;
    void setScaleTop(float New_ScaleTop);
    int16_t drawMode() const;
    void setdrawMode(int16_t New_drawMode);
    int16_t DrawStyle() const;
    void setDrawStyle(int16_t New_DrawStyle);
    int16_t DrawWidth() const;
    void setDrawWidth(int16_t New_DrawWidth);

    // Covers the picture with what lies behind it: 1 left to right, 2 right to left, 3 top to
    // bottom, 4 bottom to top, 5 from the centre out; wRate ms after each step. Returns 0.
    int32_t Wipe(int16_t Direction, const int32_t& wRate);
    // dType 1 dissolves the picture in, 0 out, in random dSize blocks for dRate seconds. Returns 0.
    int32_t Dissolve(int16_t dType, int16_t dSize, int32_t dRate);
    int32_t Dissolve2(int16_t dType, int16_t dSize, int32_t dRate);
    // Slides the picture over the container along points 1..steps of coords (x in column 1,
    // y in column 2, container pixels), pausing delay ms per frame; the control ends hidden at
    // the last point read. Tanimate2 runs events per frame and stops on SkipIntro or after
    // RMaxtime seconds.
    void Tanimate(const CoordTable& coords, int16_t steps, int16_t delay);
    void Tanimate2(const CoordTable& coords, int16_t steps, int16_t delay, float RMaxtime);

    // Persistence entry points, called by the host.
    void UserControl_InitProperties();
    void UserControl_ReadProperties(const PropertyBag& PropBag);
    void UserControl_WriteProperties(PropertyBag& PropBag) const;

private:
    platform::Surface& container() const;
    QFont Ambient_Font() const;
    void notify(const QString& key);
    void connectEvents();
    int32_t dissolveBlocks(int16_t dType, int16_t dSize, int32_t dRate);
    void slide(const CoordTable& coords, int16_t steps, int16_t delay, const float* RMaxtime);

    QPointer<platform::Surface> surface_;
};
