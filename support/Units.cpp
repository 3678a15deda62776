#include "support/Units.h"

#include "core/GameState.h"
#include "core/Numbers.h"
#include "core/RunTimeError.h"

#include <QFileInfo>

namespace {

int32_t twipsToPixels(double twips, int32_t twipsPerPixel)
{
    if (twipsPerPixel == 0)
        throw RunTimeError::inFile(QFileInfo(QStringLiteral(__FILE__)).fileName(), __LINE__,
                                   QStringLiteral("Division by zero: twips per pixel is not set yet"));
    return toInt32(twips / twipsPerPixel);
}

} // namespace

int32_t TwipsToPixelsX(double twips) { return twipsToPixels(twips, game().TwipsPerPixelX); }
int32_t TwipsToPixelsY(double twips) { return twipsToPixels(twips, game().TwipsPerPixelY); }
