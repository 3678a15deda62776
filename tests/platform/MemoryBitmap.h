#pragma once
// Memory bitmaps of the drawing tests: the source and destination of raster copies.
#include "platform/Gdi.h"

#include <initializer_list>

namespace platform {

// A memory DC with a bitmap selected; cleans up in the documented order.
struct MemoryBitmap {
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bitmap;
    HGDIOBJ previous;

    MemoryBitmap(HBITMAP b) : bitmap(b), previous(SelectObject(dc, b)) {}
    MemoryBitmap(const QImage& image) : MemoryBitmap(gdi::createBitmapFromImage(image)) {}
    ~MemoryBitmap()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    QRgb at(int x, int y) const { return gdi::bitmapImage(bitmap).pixel(x, y); }
    int bit(int x, int y) const { return gdi::bitmapImage(bitmap).constScanLine(y)[x] ? 1 : 0; }
};

// A w x h colour image, filled with one colour or given row by row.
inline QImage pixels(int w, int h, std::initializer_list<QRgb> colours)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(*colours.begin());
    if (colours.size() > 1)
        for (int i = 0; i < w * h; ++i)
            image.setPixel(i % w, i / w, colours.begin()[i]);
    return image;
}

} // namespace platform
