#include "platform/Gdi.h"

#include "platform/CallRecorder.h"
#include "platform/Clock.h"
#include "platform/GdiHandles.h"
#include "platform/OleColor.h"
#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

namespace platform {

namespace {

using handles::Kind;

constexpr COLORREF white = 0x00FFFFFF;
constexpr COLORREF black = 0x00000000;
// What a true-colour display reports: bit copies, DIBs, stretching, flood fill, ... but no palette.
constexpr int32_t trueColourRasterCaps = 0x7E99;

struct BitmapObject {
    QImage image;  // RGB32 (colour) or Grayscale8 holding 0 / 255 (1-bit)
    bool mono = false;
    HDC selectedIn = 0;  // the stock bitmap may sit in many DCs and is never marked
};

struct PaletteObject {
    QList<uint32_t> entries;
    int selections = 0;
};

enum class DcKind { Memory, Target, Screen };

struct DcObject {
    DcKind kind = DcKind::Memory;
    HBITMAP bitmap = handles::stockBitmap;
    HPALETTE palette = handles::stockPalette;
    COLORREF bkColor = white;
    COLORREF textColor = black;
    gdi::DrawTarget* target = nullptr;
    QRect screenArea;      // Screen: the part of the screen it shows, in global pixels
    HWND windowOf = 0;     // made by GetDC / GetWindowDC for this window
};

struct Registry {
    std::unordered_map<HANDLE, DcObject> dcs;
    std::unordered_map<HANDLE, BitmapObject> bitmaps;
    std::unordered_map<HANDLE, PaletteObject> palettes;
    std::unordered_map<HANDLE, QPointer<QWidget>> windows;
    std::unordered_map<HANDLE, gdi::DrawTarget*> windowTargets;
    std::map<int32_t, int32_t> capsOverrides;
    uint32_t nextSerial[5] = {0, handles::firstSerial, handles::firstSerial, handles::firstSerial, handles::firstSerial};

    Registry()
    {
        // A fresh memory DC holds a 1 x 1 monochrome bitmap, as on the original platform.
        BitmapObject stock;
        stock.image = QImage(1, 1, QImage::Format_Grayscale8);
        stock.image.fill(0);
        stock.mono = true;
        bitmaps.emplace(handles::stockBitmap, std::move(stock));
        // The default palette: the 20 static colours.
        PaletteObject defaultPalette;
        for (int i = 0; i < 256; ++i)
            if (i < 10 || i >= 246)
                defaultPalette.entries.append(systemPaletteEntry(i));
        palettes.emplace(handles::stockPalette, std::move(defaultPalette));
    }

    HANDLE newHandle(Kind kind) { return handles::make(kind, nextSerial[static_cast<int>(kind)]++); }

    // The system palette of a 256-colour device: the 20 static colours at both ends and a
    // colour cube between them.
    static uint32_t systemPaletteEntry(int index)
    {
        static constexpr uint32_t low[10] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                             0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
        static constexpr uint32_t high[10] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                              0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        if (index < 10)
            return 0xFF000000 | low[index];
        if (index >= 246)
            return 0xFF000000 | high[index - 246];
        const int n = index - 10;  // 236 cube entries: 6 x 6 x 6 = 216, then greys
        if (n < 216)
            return qRgb((n / 36) * 51, ((n / 6) % 6) * 51, (n % 6) * 51);
        const int grey = 8 + (n - 216) * 12;
        return qRgb(grey, grey, grey);
    }
};

Registry& registry()
{
    static Registry r;
    return r;
}

DcObject* findDc(HDC hdc)
{
    auto& dcs = registry().dcs;
    auto it = dcs.find(hdc);
    return it == dcs.end() ? nullptr : &it->second;
}

BitmapObject* findBitmap(HBITMAP bitmap)
{
    auto& bitmaps = registry().bitmaps;
    auto it = bitmaps.find(bitmap);
    return it == bitmaps.end() ? nullptr : &it->second;
}

PaletteObject* findPalette(HPALETTE palette)
{
    auto& palettes = registry().palettes;
    auto it = palettes.find(palette);
    return it == palettes.end() ? nullptr : &it->second;
}

QString colorText(COLORREF color) { return QStringLiteral("0x%1").arg(color, 8, 16, QLatin1Char('0')).toUpper().replace("0X", "0x"); }

QString ropName(uint32_t rop)
{
    switch (rop) {
    case SRCCOPY: return QStringLiteral("SRCCOPY");
    case NOTSRCCOPY: return QStringLiteral("NOTSRCCOPY");
    case SRCAND: return QStringLiteral("SRCAND");
    case SRCINVERT: return QStringLiteral("SRCINVERT");
    default: return colorText(rop);
    }
}

// Records one call while the recorder runs; the arguments are only formatted then.
template <typename Arguments>
void record(const char* name, Arguments arguments, HANDLE result = 0)
{
    if (!CallRecorder::active())
        return;
    const QStringList parts = arguments();
    QString entry = QStringLiteral("%1(%2)").arg(QLatin1String(name), parts.join(QStringLiteral(", ")));
    if (result != 0)
        entry += QStringLiteral(" -> ") + CallRecorder::handleName(result);
    CallRecorder::note(entry);
}

QString h(HANDLE handle) { return CallRecorder::handleName(handle); }
QString n(int64_t value) { return QString::number(value); }

int32_t deviceCaps(int32_t index)
{
    const auto& overrides = registry().capsOverrides;
    if (auto it = overrides.find(index); it != overrides.end())
        return it->second;
    const ScreenInfo screen = ScreenMetrics::current();
    switch (index) {
    case HORZRES: return screen.widthPixels;
    case VERTRES: return screen.heightPixels;
    case BITSPIXEL: {
        QScreen* primary = QGuiApplication::primaryScreen();
        return primary ? primary->depth() : 24;
    }
    case RASTERCAPS: return trueColourRasterCaps;
    case LOGPIXELSX: return static_cast<int32_t>(std::lround(1440.0 / screen.twipsPerPixelX));
    case LOGPIXELSY: return static_cast<int32_t>(std::lround(1440.0 / screen.twipsPerPixelY));
    case SIZEPALETTE: return 0;
    default: return 0;
    }
}

bool isPaletteDevice() { return (deviceCaps(RASTERCAPS) & RC_PALETTE) != 0; }

HDC newDc(DcObject dc)
{
    auto& r = registry();
    const HDC handle = r.newHandle(Kind::DC);
    r.dcs.emplace(handle, std::move(dc));
    return handle;
}

HBITMAP newBitmap(QImage image, bool mono)
{
    auto& r = registry();
    const HBITMAP handle = r.newHandle(Kind::Bitmap);
    r.bitmaps.emplace(handle, BitmapObject{std::move(image), mono, 0});
    return handle;
}

QRgb rgbOf(COLORREF color) { return oleColorToRgb(color); }

// One side of a raster copy: the pixels and what they belong to.
struct Side {
    QImage* image = nullptr;  // writable pixels (destination) or the source's pixels
    std::optional<QImage> grabbed;  // a screen source's pixels for the copied rectangle only
    bool mono = false;
    QSize size;          // in the game's pixels
    qreal ratio = 1;     // image pixels per game pixel (a scaled screen's device pixels)
    DcObject* dc = nullptr;
};

qreal screenRatio()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1;
}

int deviceLength(int length, qreal ratio) { return qRound(length * ratio); }

QRect deviceRect(const QPoint& at, const QSize& size, qreal ratio)
{
    return QRect(deviceLength(at.x(), ratio), deviceLength(at.y(), ratio), deviceLength(size.width(), ratio),
                 deviceLength(size.height(), ratio));
}

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
        side.image = &bitmap->image;
        side.mono = bitmap->mono;
        side.size = gameSize(bitmap->image);
        side.ratio = bitmap->image.devicePixelRatio();
        return true;
    }
    case DcKind::Target:
        side.image = dc->target ? dc->target->targetImage() : nullptr;
        if (!side.image || side.image->isNull())
            return false;
        side.size = gameSize(*side.image);
        side.ratio = side.image->devicePixelRatio();
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
    QImage grabbed = screen->grabWindow(0, global.x() - origin.x(), global.y() - origin.y(), global.width(), global.height())
                         .toImage()
                         .convertToFormat(QImage::Format_RGB32);
    const QSize expected = deviceRect(QPoint(), global.size(), ratio).size();
    if (grabbed.size() != expected) {
        // Parts outside the screen read as black.
        QImage full(expected, QImage::Format_RGB32);
        full.fill(Qt::black);
        for (int y = 0; y < std::min(grabbed.height(), full.height()); ++y)
            std::memcpy(full.scanLine(y), grabbed.constScanLine(y), std::min(grabbed.width(), full.width()) * 4);
        grabbed = full;
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

// ---------------------------------------------------------------- device contexts

HDC CreateCompatibleDC(HDC hdc)
{
    // A memory DC compatible with any DC (or with the screen for 0): the display is the only device.
    const HDC result = newDc(DcObject{});
    record("CreateCompatibleDC", [&] { return QStringList{h(hdc)}; }, result);
    return result;
}

bool DeleteDC(HDC hdc)
{
    record("DeleteDC", [&] { return QStringList{h(hdc)}; });
    DcObject* dc = findDc(hdc);
    if (!dc)
        return false;
    if (BitmapObject* bitmap = findBitmap(dc->bitmap); bitmap && dc->bitmap != handles::stockBitmap)
        bitmap->selectedIn = 0;
    if (PaletteObject* palette = findPalette(dc->palette); palette && dc->palette != handles::stockPalette)
        --palette->selections;
    registry().dcs.erase(hdc);
    return true;
}

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    record("SetBkColor", [&] { return QStringList{h(hdc), colorText(color)}; });
    DcObject* dc = findDc(hdc);
    if (!dc)
        return 0xFFFFFFFF;  // CLR_INVALID
    return std::exchange(dc->bkColor, color);
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    record("SetTextColor", [&] { return QStringList{h(hdc), colorText(color)}; });
    DcObject* dc = findDc(hdc);
    if (!dc)
        return 0xFFFFFFFF;
    return std::exchange(dc->textColor, color);
}

COLORREF GetBkColor(HDC hdc)
{
    const DcObject* dc = findDc(hdc);
    return dc ? dc->bkColor : 0xFFFFFFFF;
}

COLORREF GetTextColor(HDC hdc)
{
    const DcObject* dc = findDc(hdc);
    return dc ? dc->textColor : 0xFFFFFFFF;
}

// ---------------------------------------------------------------- bitmaps

HBITMAP CreateCompatibleBitmap(HDC hdc, int32_t width, int32_t height)
{
    HBITMAP result = 0;
    if (const DcObject* dc = findDc(hdc)) {
        bool mono = false;
        if (dc->kind == DcKind::Memory)
            if (const BitmapObject* selected = findBitmap(dc->bitmap))
                mono = selected->mono;
        if (width == 0 || height == 0) {
            result = handles::stockBitmap;  // the original platform hands out its 1 x 1 monochrome bitmap
        } else if (width > 0 && height > 0 && int64_t(width) * height <= (int64_t(1) << 28)) {
            // A bitmap for the screen of a scaled desktop holds its device pixels, so a capture
            // keeps every pixel the screen shows.
            const qreal ratio = dc->kind == DcKind::Screen ? screenRatio() : 1;
            QImage image(deviceLength(width, ratio), deviceLength(height, ratio),
                         mono ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
            if (!image.isNull()) {
                image.fill(mono ? 0u : 0xFF000000u);
                image.setDevicePixelRatio(ratio);
                result = newBitmap(std::move(image), mono);
            }
        }
    }
    record("CreateCompatibleBitmap", [&] { return QStringList{h(hdc), n(width), n(height)}; }, result);
    return result;
}

HBITMAP CreateBitmap(int32_t width, int32_t height, uint32_t planes, uint32_t bitsPerPixel, const void* bits)
{
    HBITMAP result = 0;
    const bool mono = planes == 1 && bitsPerPixel == 1;
    const bool colour = planes == 1 && bitsPerPixel == 32;
    if (width > 0 && height > 0 && (mono || colour) && int64_t(width) * height <= (int64_t(1) << 28)) {
        QImage image(width, height, mono ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
        if (!image.isNull()) {
            image.fill(mono ? 0u : 0xFF000000u);
            if (bits) {
                // Rows padded to 16 bits (1-bit) or whole pixels (32-bit), top row first.
                const auto* data = static_cast<const uint8_t*>(bits);
                const int stride = mono ? ((width + 15) / 16) * 2 : width * 4;
                for (int y = 0; y < height; ++y) {
                    const uint8_t* row = data + static_cast<size_t>(y) * stride;
                    if (mono) {
                        uint8_t* out = image.scanLine(y);
                        for (int x = 0; x < width; ++x)
                            out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 0xFF : 0;
                    } else {
                        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
                        for (int x = 0; x < width; ++x)
                            out[x] = 0xFF000000 | (row[x * 4 + 2] << 16) | (row[x * 4 + 1] << 8) | row[x * 4];
                    }
                }
            }
            result = newBitmap(std::move(image), mono);
        }
    }
    record("CreateBitmap", [&] { return QStringList{n(width), n(height), n(planes), n(bitsPerPixel), bits ? QStringLiteral("bits") : QStringLiteral("0")}; }, result);
    return result;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object)
{
    record("SelectObject", [&] { return QStringList{h(hdc), h(object)}; });
    DcObject* dc = findDc(hdc);
    BitmapObject* bitmap = findBitmap(object);
    if (!dc || !bitmap || dc->kind != DcKind::Memory)
        return 0;
    if (object == dc->bitmap)
        return object;
    if (object != handles::stockBitmap && bitmap->selectedIn != 0)
        return 0;  // a bitmap sits in one DC at a time
    const HBITMAP previous = dc->bitmap;
    if (BitmapObject* old = findBitmap(previous); old && previous != handles::stockBitmap)
        old->selectedIn = 0;
    if (object != handles::stockBitmap)
        bitmap->selectedIn = hdc;
    dc->bitmap = object;
    return previous;
}

bool DeleteObject(HGDIOBJ object)
{
    record("DeleteObject", [&] { return QStringList{h(object)}; });
    auto& r = registry();
    if (object == handles::stockBitmap || object == handles::stockPalette)
        return false;
    if (BitmapObject* bitmap = findBitmap(object)) {
        if (bitmap->selectedIn != 0)
            return false;
        r.bitmaps.erase(object);
        return true;
    }
    if (PaletteObject* palette = findPalette(object)) {
        if (palette->selections > 0)
            return false;
        r.palettes.erase(object);
        return true;
    }
    return false;
}

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

    const QImage* sourcePixels = from.image;
    if (sourceDc->kind == DcKind::Screen) {
        from.grabbed = grabScreen(QRect(sourceDc->screenArea.topLeft() + fromPoint, size));
        if (from.grabbed->isNull())
            return false;
        sourcePixels = &*from.grabbed;
        fromPoint = QPoint(0, 0);
    }
    const QPoint toPoint(static_cast<int>(dx), static_cast<int>(dy));
    // Both sides in image pixels. On a scaled screen a side may hold device pixels: equal ratios
    // copy pixel for pixel, unequal ones resample the source part to the destination's pixels.
    const QRect target = deviceRect(toPoint, size, to.ratio);
    QRect part = deviceRect(fromPoint, size, from.ratio);
    const bool resampled = !qFuzzyCompare(to.ratio, from.ratio);
    // A copy within one image reads a snapshot, so overlapping rectangles copy correctly.
    std::optional<QImage> snapshot;
    if (sourcePixels == to.image || resampled) {
        snapshot = sourcePixels->copy(part);
        if (resampled)
            snapshot = snapshot->scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        sourcePixels = &*snapshot;
        part.moveTopLeft(QPoint(0, 0));
    }
    // Rounding to device pixels may reach one pixel past either image: the common part is copied.
    const QSize copied = (target & to.image->rect())
                             .size()
                             .boundedTo((sourcePixels->rect() & part).size());
    if (copied.isEmpty())
        return true;
    // The DC colours matter only where a 1-bit image is involved.
    const bool converts = to.mono != from.mono;
    copyPixels(*to.image, to.mono, target.topLeft(), *sourcePixels, from.mono, part.topLeft(), copied, rop,
               converts ? rgbOf(sourceDc->bkColor) : 0, converts ? rgbOf(destDc->bkColor) : 0,
               converts ? rgbOf(destDc->textColor) : 0);
    if (destDc->kind == DcKind::Target && destDc->target)
        destDc->target->changed(QRect(toPoint, size));
    return true;
}

// ---------------------------------------------------------------- device capabilities, palettes

int32_t GetDeviceCaps(HDC hdc, int32_t index)
{
    const int32_t result = findDc(hdc) ? deviceCaps(index) : 0;
    record("GetDeviceCaps", [&] { return QStringList{h(hdc), n(index)}; });
    return result;
}

uint32_t GetSystemPaletteEntries(HDC hdc, uint32_t start, uint32_t count, PALETTEENTRY* entries)
{
    record("GetSystemPaletteEntries", [&] { return QStringList{h(hdc), n(start), n(count)}; });
    if (!findDc(hdc) || !isPaletteDevice() || start >= 256)
        return 0;
    const uint32_t filled = std::min<uint32_t>(count, 256 - start);
    for (uint32_t i = 0; entries && i < filled; ++i) {
        const uint32_t rgb = Registry::systemPaletteEntry(static_cast<int>(start + i));
        entries[i] = PALETTEENTRY{static_cast<uint8_t>(qRed(rgb)), static_cast<uint8_t>(qGreen(rgb)),
                                  static_cast<uint8_t>(qBlue(rgb)), 0};
    }
    return filled;
}

HPALETTE CreatePalette(const LOGPALETTE& palette)
{
    HPALETTE result = 0;
    if (palette.palVersion == 0x300 && palette.palNumEntries > 0 && palette.palNumEntries <= 256) {
        PaletteObject object;
        for (int i = 0; i < palette.palNumEntries; ++i) {
            const PALETTEENTRY& e = palette.palPalEntry[i];
            object.entries.append(qRgb(e.peRed, e.peGreen, e.peBlue));
        }
        auto& r = registry();
        result = r.newHandle(Kind::Palette);
        r.palettes.emplace(result, std::move(object));
    }
    record("CreatePalette", [&] { return QStringList{QStringLiteral("0x%1").arg(palette.palVersion, 0, 16), n(palette.palNumEntries)}; }, result);
    return result;
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, bool forceBackground)
{
    record("SelectPalette", [&] { return QStringList{h(hdc), h(palette), n(forceBackground ? 1 : 0)}; });
    DcObject* dc = findDc(hdc);
    PaletteObject* object = findPalette(palette);
    if (!dc || !object)
        return 0;
    const HPALETTE previous = dc->palette;
    if (PaletteObject* old = findPalette(previous); old && previous != handles::stockPalette)
        --old->selections;
    if (palette != handles::stockPalette)
        ++object->selections;
    dc->palette = palette;
    return previous;
}

uint32_t RealizePalette(HDC hdc)
{
    record("RealizePalette", [&] { return QStringList{h(hdc)}; });
    const DcObject* dc = findDc(hdc);
    if (!dc || !isPaletteDevice())
        return 0;
    const PaletteObject* palette = findPalette(dc->palette);
    return palette ? static_cast<uint32_t>(palette->entries.size()) : 0;
}

// ---------------------------------------------------------------- window DCs

HWND GetDesktopWindow()
{
    record("GetDesktopWindow", [] { return QStringList(); }, handles::desktopWindow);
    return handles::desktopWindow;
}

namespace {

QRect screenGeometry()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

HDC windowDc(HWND hwnd, bool wholeWindow)
{
    auto& r = registry();
    DcObject dc;
    dc.windowOf = hwnd;
    if (hwnd == handles::desktopWindow) {
        dc.kind = DcKind::Screen;
        dc.screenArea = screenGeometry();
        return newDc(dc);
    }
    QWidget* widget = gdi::widgetOf(hwnd);
    if (!widget)
        return 0;
    const bool framed = wholeWindow && widget->isWindow() && widget->frameGeometry() != widget->geometry();
    if (auto it = r.windowTargets.find(hwnd); it != r.windowTargets.end() && it->second && !framed) {
        dc.kind = DcKind::Target;
        dc.target = it->second;
        return newDc(dc);
    }
    dc.kind = DcKind::Screen;
    dc.screenArea = framed ? widget->frameGeometry() : QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    return newDc(dc);
}

} // namespace

HDC GetDC(HWND hwnd)
{
    const HDC result = windowDc(hwnd, false);
    record("GetDC", [&] { return QStringList{h(hwnd)}; }, result);
    return result;
}

HDC GetWindowDC(HWND hwnd)
{
    const HDC result = windowDc(hwnd, true);
    record("GetWindowDC", [&] { return QStringList{h(hwnd)}; }, result);
    return result;
}

int32_t ReleaseDC(HWND hwnd, HDC hdc)
{
    record("ReleaseDC", [&] { return QStringList{h(hwnd), h(hdc)}; });
    const DcObject* dc = findDc(hdc);
    if (!dc || dc->windowOf != hwnd)
        return 0;
    registry().dcs.erase(hdc);
    return 1;
}

void Sleep(uint32_t milliseconds)
{
    record("Sleep", [&] { return QStringList{n(milliseconds)}; });
    Clock::sleep(milliseconds);
}

// ---------------------------------------------------------------- platform access

namespace gdi {

QImage bitmapImage(HBITMAP bitmap)
{
    const BitmapObject* object = findBitmap(bitmap);
    return object ? object->image : QImage();
}

bool isMonochrome(HBITMAP bitmap)
{
    const BitmapObject* object = findBitmap(bitmap);
    return object && object->mono;
}

HBITMAP createBitmapFromImage(const QImage& image)
{
    if (image.isNull())
        return 0;
    return newBitmap(image.convertToFormat(QImage::Format_RGB32), false);
}

QList<uint32_t> paletteEntries(HPALETTE palette)
{
    const PaletteObject* object = findPalette(palette);
    return object ? object->entries : QList<uint32_t>();
}

HBITMAP selectedBitmap(HDC hdc)
{
    const DcObject* dc = findDc(hdc);
    return dc && dc->kind == DcKind::Memory ? dc->bitmap : 0;
}

int liveDCs() { return static_cast<int>(registry().dcs.size()); }
int liveBitmaps() { return static_cast<int>(registry().bitmaps.size()) - 1; }    // without the stock one
int livePalettes() { return static_cast<int>(registry().palettes.size()) - 1; }  // without the default one

bool isValid(HANDLE handle)
{
    auto& r = registry();
    return r.dcs.count(handle) || r.bitmaps.count(handle) || r.palettes.count(handle) ||
           handle == handles::desktopWindow || r.windows.count(handle);
}

void setDeviceCapsOverride(int32_t index, std::optional<int32_t> value)
{
    auto& overrides = registry().capsOverrides;
    if (value)
        overrides[index] = *value;
    else
        overrides.erase(index);
}

void clearDeviceCapsOverrides() { registry().capsOverrides.clear(); }

HDC createTargetDC(DrawTarget* target)
{
    DcObject dc;
    dc.kind = DcKind::Target;
    dc.target = target;
    return newDc(dc);
}

void registerWindowTarget(HWND hwnd, DrawTarget* clientTarget)
{
    auto& targets = registry().windowTargets;
    if (clientTarget)
        targets[hwnd] = clientTarget;
    else
        targets.erase(hwnd);
}

HWND windowHandle(QWidget* widget)
{
    if (!widget)
        return 0;
    auto& r = registry();
    const QVariant known = widget->property("quorvelHwnd");
    if (known.isValid())
        return known.toUInt();
    const HWND handle = r.newHandle(Kind::Window);
    r.windows.emplace(handle, QPointer<QWidget>(widget));
    widget->setProperty("quorvelHwnd", handle);
    // Forget the handle with the widget, so a later widget never answers to it.
    QObject::connect(widget, &QObject::destroyed, [handle] {
        registry().windows.erase(handle);
        registry().windowTargets.erase(handle);
    });
    return handle;
}

QWidget* widgetOf(HWND hwnd)
{
    auto& windows = registry().windows;
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.data();
}

} // namespace gdi
} // namespace platform
