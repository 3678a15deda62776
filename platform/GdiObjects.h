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

    Registry();
    HANDLE newHandle(handles::Kind kind) { return handles::make(kind, nextSerial[static_cast<int>(kind)]++); }
};

Registry& registry();
DcObject* findDc(HDC hdc);
BitmapObject* findBitmap(HBITMAP bitmap);
PaletteObject* findPalette(HPALETTE palette);
HDC newDc(DcObject dc);
HBITMAP newBitmap(QImage image, bool mono);

// The system palette of a 256-colour device (0xAARRGGBB), entry 0 to 255.
uint32_t systemPaletteEntry(int index);

// The primary screen's device pixels per game pixel, and a length or rectangle in them.
qreal screenRatio();
int deviceLength(int length, qreal ratio);
QRect deviceRect(const QPoint& at, const QSize& size, qreal ratio);

} // namespace platform::objects
