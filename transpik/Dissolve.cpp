// transpik::Dissolve and Dissolve2: the picture appears out of its background, or vanishes
// into it, in randomly placed square blocks for a given number of seconds.
#include "transpik.h"

#include "Clock.h"
#include "Numbers.h"
#include "OffscreenGuard.h"
#include "PixelBracket.h"
#include "Random.h"

using namespace platform;

namespace {

// The blocks are shown at display rate: showing each one would cost far more than drawing it.
constexpr double presentEvery = 1.0 / 60;
// Blocks drawn between two readings of the clock. A block costs well under a tenth of a
// microsecond, a reading about a quarter of one; the time limit is still met to a few
// microseconds, and a limit already reached draws no block at all.
constexpr int blocksPerReading = 16;

// Draws random dSize blocks from `source` onto the control's screen until dRate seconds have
// passed, with no pause and no events in between.
void randomBlocks(Surface& control, HDC source, int32_t W, int32_t H, int16_t dSize, int32_t dRate)
{
    const HDC dc = control.hDC();
    const double columns = double(W) / dSize;
    const double rows = double(H) / dSize;
    const double t0 = Clock::now();
    const double end = t0 + dRate;
    double presented = t0;
    control.holdPresentation(true);
    for (;;) {
        const double now = Clock::now();
        if (end <= now)
            break;
        for (int block = 0; block < blocksPerReading; ++block) {
            const double r1 = Rnd();
            const double r2 = Rnd();
            // Truncation is the integer part: both factors are never negative.
            const int32_t x = dSize * int32_t(columns * r1);
            const int32_t y = dSize * int32_t(rows * r2);
            BitBlt(dc, x, y, dSize, dSize, source, x, y, SRCCOPY);
        }
        if (now - presented >= presentEvery) {
            control.presentHeld();
            presented = now;
        }
    }
    control.holdPresentation(false);
}

} // namespace

int32_t transpik::Dissolve(int16_t dType, int16_t dSize, int32_t dRate) { return dissolveBlocks(dType, dSize, dRate); }

int32_t transpik::Dissolve2(int16_t dType, int16_t dSize, int32_t dRate) { return dissolveBlocks(dType, dSize, dRate); }

int32_t transpik::dissolveBlocks(int16_t dType, int16_t dSize, int32_t dRate)
{
    Surface& form = container();
    Surface& s = *surface_;
    PixelBracket bracket(form, s);

    const auto [W, H, X0, Y0] = readInterior(s);
    if (dSize < 1)
        dSize = 1;
    if (dRate < 0)
        dRate = 1;

    OffscreenGuard offscreen;
    const HDC formDC = form.hDC();
    const HDC renderDC = offscreen.dc(CreateCompatibleDC(formDC));
    const HDC backDC = offscreen.dc(CreateCompatibleDC(formDC));
    const HBITMAP renderImage = offscreen.bitmap(CreateCompatibleBitmap(formDC, W, H));
    const HBITMAP backImage = offscreen.bitmap(CreateCompatibleBitmap(formDC, W, H));
    const HGDIOBJ renderReplaced = offscreen.select(renderDC, renderImage);
    const HGDIOBJ backReplaced = offscreen.select(backDC, backImage);

    s.setAutoRedraw(false);
    form.setAutoRedraw(false);
    s.setVisible(false);
    form.Refresh();
    BitBlt(backDC, 0, 0, W, H, formDC, X0, Y0, SRCCOPY);
    // The control's rendering as its surface paints it, from the persistent image.
    s.setAutoRedraw(true);
    s.Refresh();
    BitBlt(renderDC, 0, 0, W, H, s.hDC(), 0, 0, SRCCOPY);

    if (dType == 1) {
        s.setAutoRedraw(false);
        s.setVisible(true);
        BitBlt(s.hDC(), 0, 0, W, H, backDC, 0, 0, SRCCOPY);
        randomBlocks(s, renderDC, W, H, dSize, dRate);
        BitBlt(s.hDC(), 0, 0, W, H, renderDC, 0, 0, SRCCOPY);
    }
    if (dType == 0) {
        s.setAutoRedraw(false);
        s.setVisible(true);
        s.Refresh();
        randomBlocks(s, backDC, W, H, dSize, dRate);
        BitBlt(s.hDC(), 0, 0, W, H, backDC, 0, 0, SRCCOPY);
    }

    SelectObject(renderDC, renderReplaced);
    SelectObject(backDC, backReplaced);
    DeleteObject(renderImage);
    DeleteObject(backImage);
    DeleteDC(renderDC);
    DeleteDC(backDC);
    offscreen.disarm();
    bracket.undo();
    return 0;
}
