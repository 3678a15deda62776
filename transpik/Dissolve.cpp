// transpik::Dissolve and Dissolve2: the picture appears out of its background, or vanishes
// into it, in randomly placed square blocks for a given number of seconds.
#include "transpik/transpik.h"

#include "platform/Clock.h"
#include "core/Numbers.h"
#include "transpik/OffscreenGuard.h"
#include "transpik/PixelBracket.h"
#include "platform/Random.h"

#include <algorithm>
#include <cmath>

using namespace platform;

namespace {

// The blocks are shown at display rate: showing each one would cost far more than drawing it.
constexpr double presentEvery = 1.0 / 60;

// How many blocks are due after `share` of the time (0 .. 1), so that the covered share of the
// positions grows evenly with time. Random blocks land on already covered positions more and
// more often: n blocks on p positions cover 1 - e^(-n/p) of them on average, hence -p ln(1 - share).
// The count stops at p (ln p + 1), which leaves less than one position uncovered on average; the
// final full copy completes the picture.
int64_t blocksDue(double share, double positions)
{
    const double enough = positions * (std::log(positions) + 1);
    if (share >= 1)
        return int64_t(enough);
    return int64_t(std::min(enough, -positions * std::log1p(-share)));
}

// Draws random dSize blocks from `source` onto the control's screen until dRate seconds have
// passed, with no pause and no events in between. The blocks are spread over the time, so the
// picture builds up while it is seen: drawn as fast as the machine can, all positions would be
// covered long before the first frame is shown.
void randomBlocks(Surface& control, HDC source, int32_t W, int32_t H, int16_t dSize, int32_t dRate)
{
    const HDC dc = control.hDC();
    const double columns = double(W) / dSize;
    const double rows = double(H) / dSize;
    const double positions = std::max(1.0, std::ceil(columns) * std::ceil(rows));
    const double t0 = Clock::now();
    const double end = t0 + dRate;
    double presented = t0;
    int64_t drawn = 0;
    control.holdPresentation(true);
    for (;;) {
        const double now = Clock::now();
        if (end <= now)
            break;
        for (const int64_t due = blocksDue((now - t0) / dRate, positions); drawn < due; ++drawn) {
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
