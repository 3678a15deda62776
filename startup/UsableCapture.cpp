#include "startup/UsableCapture.h"

namespace {

bool isAllBlack(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            if ((line[x] & RGB_MASK) != 0)
                return false;
    }
    return true;
}

} // namespace

bool isUsableCapture(const platform::Picture& capture)
{
    if (capture.isEmpty())
        return false;
    const QImage image = capture.image();
    return !image.isNull() && !isAllBlack(image);
}
