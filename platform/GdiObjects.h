#pragma once
// The objects behind the drawing handles (device contexts, bitmaps, palettes, windows) and the
// one registry that maps handles to them. Shared by the drawing calls in platform/Gdi*.cpp only.
#include "platform/Gdi.h"
#include "platform/GdiHandles.h"

#include <QPointer>
#include <map>
#include <unordered_map>

namespace platform::objects {

constexpr COLORREF white = 0x00FFFFFF;
constexpr COLORREF black = 0x00000000;

// A bitmap's pixels: RGB32 (colour) or Grayscale8 holding 0 / 255 (1-bit). A new bitmap is
// blank, and its pixels are made only when first read or drawn on: one that is first copied
// over whole (a capture, a transition's snapshot of a form) never fills pixels that are at once
// replaced.
class BitmapObject {
public:
    BitmapObject(QImage image, bool mono) : mono(mono), image_(std::move(image)) {}
    static BitmapObject blank(const QSize& pixels, qreal ratio, bool mono);

    QImage& image();  // the pixels, made now if still blank
    QRect pixelRect() const { return QRect(QPoint(), blank_ ? blankPixels_ : image_.size()); }
    qreal ratio() const { return blank_ ? blankRatio_ : image_.devicePixelRatio(); }
    QImage::Format format() const;
    QSize gameSize() const;  // in the game's pixels
    // Takes the pixels of an image of this bitmap's size and kind, shared until either is drawn on.
    void replaceWhole(const QImage& whole);

    bool mono = false;
    HDC selectedIn = 0;  // the stock bitmap may sit in many DCs and is never marked

private:
    QImage image_;
    bool blank_ = false;
    QSize blankPixels_;
    qreal blankRatio_ = 1;
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

    Registry();
    HANDLE newHandle(handles::Kind kind) { return handles::make(kind, nextSerial[static_cast<int>(kind)]++); }
};

Registry& registry();
DcObject* findDc(HDC hdc);
BitmapObject* findBitmap(HBITMAP bitmap);
PaletteObject* findPalette(HPALETTE palette);
HDC newDc(DcObject dc);
HBITMAP newBitmap(QImage image, bool mono);
HBITMAP newBlankBitmap(const QSize& pixels, qreal ratio, bool mono);

// The system palette of a 256-colour device (0xAARRGGBB), entry 0 to 255.
uint32_t systemPaletteEntry(int index);

// The primary screen's device pixels per game pixel, and a length or rectangle in them.
qreal screenRatio();
int deviceLength(int length, qreal ratio);
QRect deviceRect(const QPoint& at, const QSize& size, qreal ratio);

} // namespace platform::objects
