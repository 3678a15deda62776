#include "platform/GdiObjects.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform::objects {

Registry::Registry()
{
    // A fresh memory DC holds a 1 x 1 monochrome bitmap, as on the original platform.
    QImage stock(1, 1, QImage::Format_Grayscale8);
    stock.fill(0);
    bitmaps.emplace(handles::stockBitmap, BitmapObject(std::move(stock), true));
    // The default palette: the 20 static colours.
    PaletteObject defaultPalette;
    for (int i = 0; i < 256; ++i)
        if (i < 10 || i >= 246)
            defaultPalette.entries.append(systemPaletteEntry(i));
    palettes.emplace(handles::stockPalette, std::move(defaultPalette));
}

// The 20 static colours at both ends and a colour cube between them.
uint32_t systemPaletteEntry(int index)
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

HDC newDc(DcObject dc)
{
    auto& r = registry();
    const HDC handle = r.newHandle(handles::Kind::DC);
    r.dcs.emplace(handle, std::move(dc));
    return handle;
}

HBITMAP newBitmap(QImage image, bool mono)
{
    auto& r = registry();
    const HBITMAP handle = r.newHandle(handles::Kind::Bitmap);
    r.bitmaps.emplace(handle, BitmapObject(std::move(image), mono));
    return handle;
}

HBITMAP newBlankBitmap(const QSize& pixels, qreal ratio, bool mono)
{
    auto& r = registry();
    const HBITMAP handle = r.newHandle(handles::Kind::Bitmap);
    r.bitmaps.emplace(handle, BitmapObject::blank(pixels, ratio, mono));
    return handle;
}

BitmapObject BitmapObject::blank(const QSize& pixels, qreal ratio, bool mono)
{
    BitmapObject bitmap(QImage(), mono);
    bitmap.blank_ = true;
    bitmap.blankPixels_ = pixels;
    bitmap.blankRatio_ = ratio;
    return bitmap;
}

QImage::Format BitmapObject::format() const
{
    if (!blank_)
        return image_.format();
    return mono ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
}

QSize BitmapObject::gameSize() const
{
    if (!blank_)
        return image_.deviceIndependentSize().toSize();
    return (QSizeF(blankPixels_) / blankRatio_).toSize();
}

QImage& BitmapObject::image()
{
    if (blank_) {
        // A new bitmap is black (colour) or all 0 bits (1-bit).
        image_ = QImage(blankPixels_, format());
        if (!image_.isNull()) {
            image_.fill(mono ? 0u : 0xFF000000u);
            image_.setDevicePixelRatio(blankRatio_);
        }
        blank_ = false;
    }
    return image_;
}

void BitmapObject::replaceWhole(const QImage& whole)
{
    image_ = whole;
    blank_ = false;
}

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

} // namespace platform::objects
