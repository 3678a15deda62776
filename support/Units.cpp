#include "support/Units.h"

#include "core/GameState.h"
#include "core/Numbers.h"
#include "core/RunTimeError.h"

namespace {

int32_t twipsToPixels(double twips, int32_t twipsPerPixel)
{
    if (twipsPerPixel == 0)
        throw RunTimeError(QStringLiteral("Converting a size to pixels before the screen was measured: Division "
                                          "by zero"));
    return toInt32(twips / twipsPerPixel);
}

} // namespace

int32_t TwipsToPixelsX(double twips) { return twipsToPixels(twips, game().TwipsPerPixelX); }
int32_t TwipsToPixelsY(double twips) { return twipsToPixels(twips, game().TwipsPerPixelY); }
