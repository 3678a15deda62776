// Raster copies between device contexts: clipping, screen reads, scaled-screen resampling and
// the per-pixel raster operations.
#include "platform/Gdi.h"

#include "platform/GdiObjects.h"
#include "platform/GdiTrace.h"
#include "platform/OleColor.h"
#include "platform/RootWindowGrab.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstring>

namespace platform {

using namespace objects;
using trace::h;
using trace::n;
using trace::record;
using trace::ropName;

namespace {

QRgb rgbOf(COLORREF color) { return oleColorToRgb(color); }

// One side of a raster copy: the pixels and what they belong to.
struct Side {
    QImage* image = nullptr;  // writable pixels (destination) or the source's pixels
    BitmapObject* bitmap = nullptr;  // a memory DC's bitmap, whose pixels may not be made yet
    QRect pixelRect;      // the whole image, in its own pixels
    QImage::Format format = QImage::Format_Invalid;
    std::optional<QImage> grabbed;  // a screen source's pixels for the copied rectangle only
    bool mono = false;
    QSize size;          // in the game's pixels
    qreal ratio = 1;     // image pixels per game pixel (a scaled screen's device pixels)
    DcObject* dc = nullptr;

    QImage* pixels()
    {
        if (!image && bitmap)
            image = &bitmap->image();
        return image;
    }
};

// An image's size in the game's pixels.
QSize gameSize(const QImage& image) { return image.deviceIndependentSize().toSize(); }

bool resolve(DcObject* dc, Side& side)
{
    side.dc = dc;
    switch (dc->kind) {
    case DcKind::Memory: {
        BitmapObject* bitmap = findBitmap(dc->bitmap);
        if (!bitmap)
            return false;
        side.bitmap = bitmap;
        side.mono = bitmap->mono;
        side.size = bitmap->gameSize();
        side.ratio = bitmap->ratio();
        side.pixelRect = bitmap->pixelRect();
        side.format = bitmap->format();
        return true;
    }
    case DcKind::Target:
        side.image = dc->target ? dc->target->targetImage() : nullptr;
        if (!side.image || side.image->isNull())
            return false;
        side.size = gameSize(*side.image);
        side.ratio = side.image->devicePixelRatio();
        side.pixelRect = side.image->rect();
        side.format = side.image->format();
        return true;
    case DcKind::Screen:
        side.size = dc->screenArea.size();
        side.ratio = screenRatio();
        return !side.size.isEmpty();
    }
    return false;
}

// The screen's pixels in `global` (the game's pixels), as the screen's own device pixels: on a
// scaled screen the image is larger than `global` by the screen's ratio and says so.
QImage grabScreen(const QRect& global)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || global.isEmpty())
        return {};
    const QPoint origin = screen->geometry().topLeft();
    const qreal ratio = screen->devicePixelRatio();
    // A screen's corner has the same place in the game's pixels and in device pixels.
    const QRect device = deviceRect(global.topLeft() - origin, global.size(), ratio).translated(origin);
    QImage grabbed;
    if (std::optional<QImage> root = grabRootWindow(device)) {
        grabbed = *root;
    } else {
        grabbed = screen->grabWindow(0, global.x() - origin.x(), global.y() - origin.y(), global.width(), global.height())
                      .toImage()
                      .convertToFormat(QImage::Format_RGB32);
        if (grabbed.size() != device.size()) {
            // Parts outside the screen read as black.
            QImage full(device.size(), QImage::Format_RGB32);
            full.fill(Qt::black);
            for (int y = 0; y < std::min(grabbed.height(), full.height()); ++y)
                std::memcpy(full.scanLine(y), grabbed.constScanLine(y), std::min(grabbed.width(), full.width()) * 4);
            grabbed = full;
        }
    }
    grabbed.setDevicePixelRatio(ratio);
    return grabbed;
}

// Applies the raster operation to one row. S is the source value already converted to the
// destination's format; colour results keep the alpha byte opaque.
template <typename T, typename Convert>
void blendRow(T* dest, const void* source, int count, uint32_t rop, Convert convert, T opaque)
{
    switch (rop) {
    case SRCCOPY:
        for (int i = 0; i < count; ++i) dest[i] = convert(source, i);
        break;
    case NOTSRCCOPY:
        for (int i = 0; i < count; ++i) dest[i] = static_cast<T>(~convert(source, i) | opaque);
        break;
    case SRCAND:
        for (int i = 0; i < count; ++i) dest[i] = static_cast<T>(dest[i] & convert(source, i));
        break;
    case SRCINVERT:
        for (int i = 0; i < count; ++i) dest[i] = static_cast<T>((dest[i] ^ convert(source, i)) | opaque);
        break;
    }
}

// Copies size pixels from source at from to the destination at to, both already clipped.
// sourceKey: the source DC's background colour (colour -> 1-bit); destOne / destZero: the
// destination DC's background and text colours (1-bit -> colour).
void copyPixels(QImage& dest, bool destMono, const QPoint& to, const QImage& source, bool sourceMono,
                const QPoint& from, const QSize& size, uint32_t rop, QRgb sourceKey, QRgb destOne, QRgb destZero)
{
    const int w = size.width();
    constexpr QRgb opaque = 0xFF000000;
    // Row addresses from one detach each: the dissolves copy millions of tiny rectangles.
    const qsizetype sourceStride = source.bytesPerLine();
    const qsizetype destStride = dest.bytesPerLine();
    const uchar* sourceBits = source.constBits() + from.y() * sourceStride;
    uchar* destBits = dest.bits() + to.y() * destStride;
    for (int y = 0; y < size.height(); ++y) {
        const uchar* srcRow = sourceBits + y * sourceStride;
        uchar* dstRow = destBits + y * destStride;
        if (destMono) {
            uint8_t* d = dstRow + to.x();
            if (sourceMono) {
                const uint8_t* s = srcRow + from.x();
                blendRow<uint8_t>(d, s, w, rop, [](const void* p, int i) { return static_cast<const uint8_t*>(p)[i]; }, 0);
            } else {
                const QRgb* s = reinterpret_cast<const QRgb*>(srcRow) + from.x();
                const QRgb key = sourceKey & 0x00FFFFFF;
                blendRow<uint8_t>(d, s, w, rop, [key](const void* p, int i) {
                    return static_cast<uint8_t>((static_cast<const QRgb*>(p)[i] & 0x00FFFFFF) == key ? 0xFF : 0);
                }, 0);
            }
        } else {
            QRgb* d = reinterpret_cast<QRgb*>(dstRow) + to.x();
            if (sourceMono) {
                const uint8_t* s = srcRow + from.x();
                blendRow<QRgb>(d, s, w, rop, [destOne, destZero](const void* p, int i) {
                    return static_cast<const uint8_t*>(p)[i] ? destOne : destZero;
                }, opaque);
            } else if (rop == SRCCOPY) {
                // The plain copy of the transitions and the capture: whole rows at once, and the
                // few pixels of a dissolve's block without a call.
                const QRgb* s = reinterpret_cast<const QRgb*>(srcRow) + from.x();
                if (w <= 8) {
                    for (int i = 0; i < w; ++i)
                        d[i] = s[i];
                } else {
                    std::memcpy(d, s, static_cast<size_t>(w) * 4);
                }
            } else {
                const QRgb* s = reinterpret_cast<const QRgb*>(srcRow) + from.x();
                blendRow<QRgb>(d, s, w, rop, [](const void* p, int i) { return static_cast<const QRgb*>(p)[i] | opaque; }, opaque);
            }
        }
    }
}

bool knownRop(uint32_t rop) { return rop == SRCCOPY || rop == NOTSRCCOPY || rop == SRCAND || rop == SRCINVERT; }

} // namespace
// ---------------------------------------------------------------- raster copy

bool BitBlt(HDC dest, int32_t x, int32_t y, int32_t width, int32_t height, HDC source, int32_t sourceX,
            int32_t sourceY, uint32_t rop)
{
    record("BitBlt", [&] { return QStringList{h(dest), n(x), n(y), n(width), n(height), h(source), n(sourceX), n(sourceY), ropName(rop)}; });
    DcObject* destDc = findDc(dest);
    DcObject* sourceDc = findDc(source);
    if (!destDc || !sourceDc || !knownRop(rop))
        return false;
    Side to;
    Side from;
    if (!resolve(destDc, to) || !resolve(sourceDc, from) || destDc->kind == DcKind::Screen)
        return false;
    if (width <= 0 || height <= 0)
        return true;

    // Clip to both surfaces, moving the other side's corner along.
    int64_t dx = x, dy = y, sx = sourceX, sy = sourceY, w = width, hgt = height;
    auto clipStart = [](int64_t& a, int64_t& b, int64_t& extent) {
        const int64_t shift = std::max<int64_t>({0, -a, -b});
        a += shift;
        b += shift;
        extent -= shift;
    };
    clipStart(dx, sx, w);
    clipStart(dy, sy, hgt);
    w = std::min({w, to.size.width() - dx, from.size.width() - sx});
    hgt = std::min({hgt, to.size.height() - dy, from.size.height() - sy});
    if (w <= 0 || hgt <= 0)
        return true;
    const QSize size(static_cast<int>(w), static_cast<int>(hgt));
    QPoint fromPoint(static_cast<int>(sx), static_cast<int>(sy));

    const QImage* sourcePixels = from.pixels();
    if (sourceDc->kind == DcKind::Screen) {
        from.grabbed = grabScreen(QRect(sourceDc->screenArea.topLeft() + fromPoint, size));
        sourcePixels = &*from.grabbed;
        fromPoint = QPoint(0, 0);
    }
    if (!sourcePixels || sourcePixels->isNull())
        return false;
    const QPoint toPoint(static_cast<int>(dx), static_cast<int>(dy));
    // Both sides in image pixels. On a scaled screen a side may hold device pixels: equal ratios
    // copy pixel for pixel, unequal ones resample the source part to the destination's pixels.
    const QRect target = deviceRect(toPoint, size, to.ratio);
    QRect part = deviceRect(fromPoint, size, from.ratio);
    const bool resampled = !qFuzzyCompare(to.ratio, from.ratio);
    // The DC colours matter only where a 1-bit image is involved.
    const bool converts = to.mono != from.mono;
    if (rop == SRCCOPY && !converts && !to.mono && !resampled && target == to.pixelRect &&
        part == sourcePixels->rect() && sourcePixels->format() == to.format &&
        qFuzzyCompare(sourcePixels->devicePixelRatio(), to.ratio)) {
        // A whole image copied onto a whole image of its kind shares its pixels: a capture or
        // a transition's snapshot of the form costs no memory until one of the two is drawn on,
        // and a new bitmap copied over whole never makes pixels of its own.
        if (to.bitmap)
            to.bitmap->replaceWhole(*sourcePixels);
        else
            *to.image = *sourcePixels;
    } else {
        QImage* destPixels = to.pixels();
        if (destPixels->isNull())
            return false;
        // A copy within one image reads a snapshot, so overlapping rectangles copy correctly.
        std::optional<QImage> snapshot;
        if (sourcePixels == destPixels || resampled) {
            snapshot = sourcePixels->copy(part);
            if (resampled)
                snapshot = snapshot->scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            sourcePixels = &*snapshot;
            part.moveTopLeft(QPoint(0, 0));
        }
        // Rounding to device pixels may reach one pixel past either image: the common part is copied.
        const QSize copied = (target & destPixels->rect()).size().boundedTo((sourcePixels->rect() & part).size());
        if (copied.isEmpty())
            return true;
        copyPixels(*destPixels, to.mono, target.topLeft(), *sourcePixels, from.mono, part.topLeft(), copied, rop,
                   converts ? rgbOf(sourceDc->bkColor) : 0, converts ? rgbOf(destDc->bkColor) : 0,
                   converts ? rgbOf(destDc->textColor) : 0);
    }
    if (destDc->kind == DcKind::Target && destDc->target)
        destDc->target->changed(QRect(toPoint, size));
    return true;
}

} // namespace platform
