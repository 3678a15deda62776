// transpik::Wipe: covers the picture step by step with what lies behind the control.
#include "transpik/transpik.h"

#include "core/Numbers.h"
#include "transpik/OffscreenGuard.h"
#include "transpik/PixelBracket.h"

#include <algorithm>

using namespace platform;

int32_t transpik::Wipe(int16_t Direction, const int32_t& wRate)
{
    Surface& form = container();
    Surface& s = *surface_;
    PixelBracket bracket(form, s);

    const auto [W, H, X0, Y0] = readInterior(s);

    OffscreenGuard offscreen;
    const HDC formDC = form.hDC();
    const HDC backDC = offscreen.dc(CreateCompatibleDC(formDC));
    const HBITMAP backImage = offscreen.bitmap(CreateCompatibleBitmap(formDC, W, H));
    const HGDIOBJ replaced = offscreen.select(backDC, backImage);

    s.setAutoRedraw(false);
    form.setAutoRedraw(false);
    // What the form shows where the control is, with the control away.
    s.setVisible(false);
    form.Refresh();
    BitBlt(backDC, 0, 0, W, H, formDC, X0, Y0, SRCCOPY);
    s.setVisible(true);
    s.Refresh();

    // A negative pause is no pause.
    const uint32_t pause = uint32_t(std::max(0, wRate));
    const HDC dc = s.hDC();
    const auto step = [&](int32_t left, int32_t top, int32_t width, int32_t height) {
        BitBlt(dc, left, top, width, height, backDC, left, top, SRCCOPY);
        Sleep(pause);
    };
    switch (Direction) {
    case 1:
        for (int32_t i = 0; i <= W; ++i)
            step(0, 0, i, H);
        break;
    case 2:
        for (int32_t i = W; i >= 0; --i)
            step(i, 0, W, H);
        break;
    case 3:
        for (int32_t i = 0; i <= H; ++i)
            step(0, 0, W, i);
        break;
    case 4:
        for (int32_t i = H; i >= 0; --i)
            step(0, i, W, H);
        break;
    case 5: {
        const int32_t cx = int32_t(roundHalfEven(W / 2.0));
        const int32_t cy = int32_t(roundHalfEven(H / 2.0));
        const int16_t M = toInt16(std::max(cx, cy));
        for (int32_t v = 0; v <= M; ++v) {
            int32_t right = cx + v;
            int32_t bottom = cy + v;
            if (v == M) {
                // A half rounded down leaves the last column or row outside the largest
                // square; the last square reaches the edges so the whole picture goes.
                right = std::max(right, W);
                bottom = std::max(bottom, H);
            }
            step(cx - v, cy - v, right - (cx - v), bottom - (cy - v));
        }
        break;
    }
    default:
        break;
    }

    SelectObject(backDC, replaced);
    DeleteObject(backImage);
    DeleteDC(backDC);
    offscreen.disarm();
    bracket.undo();
    return 0;
}
