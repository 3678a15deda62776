// Device contexts, bitmaps and window DCs: the handles the game creates, selects and releases.
#include "platform/Gdi.h"

#include "platform/Clock.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTrace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

using namespace objects;
using trace::colorText;
using trace::h;
using trace::n;
using trace::record;

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
            result = newBlankBitmap(QSize(deviceLength(width, ratio), deviceLength(height, ratio)), ratio, mono);
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

} // namespace platform
