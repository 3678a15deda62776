#include "support/Units.h"

#include "core/GameState.h"
#include "core/Numbers.h"
#include "core/RunTimeError.h"

#include <QFileInfo>

namespace {

int32_t twipsToPixels(double twips, int32_t twipsPerPixel)
{
    const QString file = QFileInfo(QStringLiteral(__FILE__)).fileName();
    if (twipsPerPixel == 0)
        throw RunTimeError::inFile(file, __LINE__, QStringLiteral("Division by zero: twips per pixel is not set yet"));
    const double pixels = roundHalfEven(twips / twipsPerPixel);
    if (!(pixels >= -2147483648.0 && pixels <= 2147483647.0))
        throw RunTimeError::inFile(file, __LINE__,
                                   QStringLiteral("Overflow: %1 twips are beyond a 32-bit pixel count").arg(twips));
    return static_cast<int32_t>(pixels);
}

} // namespace

int32_t TwipsToPixelsX(double twips) { return twipsToPixels(twips, game().TwipsPerPixelX); }
int32_t TwipsToPixelsY(double twips) { return twipsToPixels(twips, game().TwipsPerPixelY); }
