// transpik::Tanimate and Tanimate2: the picture slides across the container along a list of
// points, one frame per point, and the control then moves to the last point.
#include "transpik/transpik.h"

#include "platform/Clock.h"
#include "platform/Events.h"
#include "core/GameState.h"
#include "core/Numbers.h"
#include "transpik/OffscreenGuard.h"
#include "core/RunTimeError.h"

#include <algorithm>
#include <cstdlib>

using namespace platform;

void transpik::Tanimate(const CoordTable& coords, int16_t steps, int16_t delay) { slide(coords, steps, delay, nullptr); }

void transpik::Tanimate2(const CoordTable& coords, int16_t steps, int16_t delay, float RMaxtime)
{
    slide(coords, steps, delay, &RMaxtime);
}

void transpik::slide(const CoordTable& coords, int16_t steps, int16_t delay, const float* RMaxtime)
{
    // Tanimate2: the time limit counts from the call.
    const double t0 = Clock::now();

    Surface& form = container();
    Surface& s = *surface_;
    const HDC formDC = form.hDC();
    const int16_t formMode = form.ScaleMode();
    const bool formAutoRedraw = form.AutoRedraw();
    const int16_t ownMode = s.ScaleMode();
    form.setScaleMode(vbPixels);
    s.setScaleMode(vbPixels);

    const int32_t W = toInt32(s.ScaleWidth());
    const int32_t H = toInt32(s.ScaleHeight());
    const int32_t PW = toInt32(form.ScaleWidth());
    const int32_t PH = toInt32(form.ScaleHeight());

    // Every frame shows the control's rendering, kept in its persistent image.
    s.setAutoRedraw(true);
    s.setVisible(false);
    s.Refresh();
    // The form as it looks without the control and without an earlier slide's last frame.
    form.setAutoRedraw(false);
    form.Cls();

    const COLORREF mask = s.MaskColor();

    OffscreenGuard offscreen;
    const HDC scratchDC = offscreen.dc(CreateCompatibleDC(s.hDC()));
    const HDC transparentDC = offscreen.dc(CreateCompatibleDC(s.hDC()));
    const HDC opaqueDC = offscreen.dc(CreateCompatibleDC(s.hDC()));
    const HDC frameDC = offscreen.dc(CreateCompatibleDC(s.hDC()));
    const HDC backDC = offscreen.dc(CreateCompatibleDC(formDC));
    const HDC workDC = offscreen.dc(CreateCompatibleDC(formDC));
    const HBITMAP transparentImage = offscreen.bitmap(CreateBitmap(W, H, 1, 1, nullptr));
    const HBITMAP opaqueImage = offscreen.bitmap(CreateBitmap(W, H, 1, 1, nullptr));
    const HBITMAP frameImage = offscreen.bitmap(CreateCompatibleBitmap(s.hDC(), W, H));
    const HBITMAP scratchImage = offscreen.bitmap(CreateCompatibleBitmap(s.hDC(), W, H));
    const HBITMAP backImage = offscreen.bitmap(CreateCompatibleBitmap(formDC, PW, PH));
    const HBITMAP workImage = offscreen.bitmap(CreateCompatibleBitmap(formDC, PW, PH));
    const HGDIOBJ transparentReplaced = offscreen.select(transparentDC, transparentImage);
    const HGDIOBJ opaqueReplaced = offscreen.select(opaqueDC, opaqueImage);
    const HGDIOBJ frameReplaced = offscreen.select(frameDC, frameImage);
    const HGDIOBJ scratchReplaced = offscreen.select(scratchDC, scratchImage);
    const HGDIOBJ backReplaced = offscreen.select(backDC, backImage);
    const HGDIOBJ workReplaced = offscreen.select(workDC, workImage);

    // The masks, once: 1 where the rendering has the mask colour, and the inverse.
    const COLORREF oldBackground = SetBkColor(s.hDC(), mask);
    BitBlt(transparentDC, 0, 0, W, H, s.hDC(), 0, 0, SRCCOPY);
    SetBkColor(s.hDC(), oldBackground);
    BitBlt(opaqueDC, 0, 0, W, H, transparentDC, 0, 0, NOTSRCCOPY);

    // The background, once.
    BitBlt(backDC, 0, 0, PW, PH, formDC, 0, 0, SRCCOPY);

    int32_t prevX = coords(1, 1);
    int32_t prevY = coords(1, 2);
    int32_t x = 0;
    int32_t y = 0;
    const uint32_t pause = uint32_t(std::max<int16_t>(0, delay));
    // A 32-bit frame counter: the last of 32767 frames is followed by the move and the restore.
    for (int32_t i = 1; i <= steps; ++i) {
        x = coords(i, 1);
        y = coords(i, 2);
        if (RMaxtime) {
            DoEvents();
            if (game().SkipIntro == 1)
                break;
            if (float(Clock::now() - t0) > *RMaxtime)
                break;
        }
        // The frame: the background where the picture is transparent, the picture elsewhere.
        BitBlt(frameDC, 0, 0, W, H, backDC, x, y, SRCCOPY);
        BitBlt(frameDC, 0, 0, W, H, transparentDC, 0, 0, SRCAND);
        BitBlt(scratchDC, 0, 0, W, H, s.hDC(), 0, 0, SRCCOPY);
        BitBlt(scratchDC, 0, 0, W, H, opaqueDC, 0, 0, SRCAND);
        BitBlt(frameDC, 0, 0, W, H, scratchDC, 0, 0, SRCINVERT);
        // One copy to the screen covers the old and the new place, so no trail is left.
        const int32_t left = std::min(x, prevX);
        const int32_t top = std::min(y, prevY);
        const int32_t width = toInt32(std::abs(double(x) - prevX) + W);
        const int32_t height = toInt32(std::abs(double(y) - prevY) + H);
        BitBlt(workDC, left, top, width, height, backDC, left, top, SRCCOPY);
        BitBlt(workDC, x, y, W, H, frameDC, 0, 0, SRCCOPY);
        BitBlt(formDC, left, top, width, height, workDC, left, top, SRCCOPY);
        Sleep(pause);
        prevX = x;
        prevY = y;
    }

    s.Move(float(x), float(y));
    form.setScaleMode(formMode);
    s.setScaleMode(ownMode);
    form.setAutoRedraw(formAutoRedraw);

    SelectObject(scratchDC, scratchReplaced);
    SelectObject(frameDC, frameReplaced);
    SelectObject(transparentDC, transparentReplaced);
    SelectObject(opaqueDC, opaqueReplaced);
    SelectObject(backDC, backReplaced);
    SelectObject(workDC, workReplaced);
    DeleteObject(scratchImage);
    DeleteObject(transparentImage);
    DeleteObject(opaqueImage);
    DeleteObject(frameImage);
    DeleteObject(backImage);
    DeleteObject(workImage);
    DeleteDC(scratchDC);
    DeleteDC(opaqueDC);
    DeleteDC(transparentDC);
    DeleteDC(frameDC);
    DeleteDC(backDC);
    DeleteDC(workDC);
    offscreen.disarm();
}
