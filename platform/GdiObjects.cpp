#include "platform/GdiObjects.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform::objects {

Registry::Registry()
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
    r.bitmaps.emplace(handle, BitmapObject{std::move(image), mono, 0});
    return handle;
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
