#pragma once
// The drawing calls of the game, named and shaped as the window system's graphics interface,
// over QImage: device contexts, colour and 1-bit bitmaps, palettes and raster copies.
// Handles are 32-bit values looked up in one registry; 0 is "no object" / failure.
// Everything runs on the UI thread.
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

class QWidget;

namespace platform {

using HANDLE = uint32_t;
using HDC = HANDLE;
using HGDIOBJ = HANDLE;
using HBITMAP = HANDLE;
using HPALETTE = HANDLE;
using HWND = HANDLE;
using COLORREF = uint32_t;  // 0x00BBGGRR

// Raster operations of BitBlt (D destination, S source).
constexpr uint32_t SRCCOPY = 0x00CC0020;     // D = S
constexpr uint32_t NOTSRCCOPY = 0x00330008;  // D = NOT S
constexpr uint32_t SRCAND = 0x008800C6;      // D = D AND S
constexpr uint32_t SRCINVERT = 0x00660046;   // D = D XOR S

// GetDeviceCaps indexes and bits.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int RC_PALETTE = 0x100;

struct PALETTEENTRY {
    uint8_t peRed = 0;
    uint8_t peGreen = 0;
    uint8_t peBlue = 0;
    uint8_t peFlags = 0;
};

// The logical palette record of the capture module: version 0x300 and up to 256 entries.
struct LOGPALETTE {
    uint16_t palVersion = 0;
    uint16_t palNumEntries = 0;
    std::array<PALETTEENTRY, 256> palPalEntry{};
};

// Device contexts.
HDC CreateCompatibleDC(HDC hdc);  // a memory DC holding the stock 1 x 1 monochrome bitmap
bool DeleteDC(HDC hdc);           // the bitmap and palette selected into it stay alive
COLORREF SetBkColor(HDC hdc, COLORREF color);     // returns the old one (white at first)
COLORREF SetTextColor(HDC hdc, COLORREF color);   // returns the old one (black at first)
COLORREF GetBkColor(HDC hdc);
COLORREF GetTextColor(HDC hdc);

// Bitmaps. A bitmap compatible with a memory DC has the format of the bitmap selected in it
// (monochrome for a fresh one); compatible with any other DC it is a colour bitmap. New pixels are black.
HBITMAP CreateCompatibleBitmap(HDC hdc, int32_t width, int32_t height);
HBITMAP CreateBitmap(int32_t width, int32_t height, uint32_t planes, uint32_t bitsPerPixel, const void* bits);
// Selects a bitmap into a memory DC and returns the one it replaces (0 on failure, e.g. the
// bitmap is selected elsewhere or the DC is not a memory DC).
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
// Deletes a bitmap or palette; refuses (false) while it is selected into a DC, and for stock objects.
bool DeleteObject(HGDIOBJ object);

// Raster copy, clipped to both surfaces. Colour -> 1-bit gives 1 where the source pixel equals
// the SOURCE DC's background colour; 1-bit -> colour gives the DESTINATION DC's background colour
// for 1 and its text colour for 0 (white and black unless changed).
bool BitBlt(HDC dest, int32_t x, int32_t y, int32_t width, int32_t height,
            HDC source, int32_t sourceX, int32_t sourceY, uint32_t rop);

// Device capabilities and palettes.
int32_t GetDeviceCaps(HDC hdc, int32_t index);
uint32_t GetSystemPaletteEntries(HDC hdc, uint32_t start, uint32_t count, PALETTEENTRY* entries);
HPALETTE CreatePalette(const LOGPALETTE& palette);
HPALETTE SelectPalette(HDC hdc, HPALETTE palette, bool forceBackground);  // returns the old one
uint32_t RealizePalette(HDC hdc);

// Window DCs. GetDC: the client area; GetWindowDC: the whole window with its frame. The desktop
// window's DCs read the real screen. Writing into a surface's window DC presents at once.
HWND GetDesktopWindow();
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int32_t ReleaseDC(HWND hwnd, HDC hdc);

void Sleep(uint32_t milliseconds);  // platform::Clock::sleep, no events run

// --- Access for the rest of platform/ and for tests (not part of the window system's API) ---
namespace gdi {

// The pixels of a bitmap (a shared copy; null image for an unknown handle). Colour bitmaps are
// QImage::Format_RGB32; 1-bit bitmaps are Format_Grayscale8 holding 0 (bit 0) or 255 (bit 1).
QImage bitmapImage(HBITMAP bitmap);
bool isMonochrome(HBITMAP bitmap);
// A new bitmap handle owning a copy of the image (converted to RGB32).
HBITMAP createBitmapFromImage(const QImage& image);
// The entries of a palette as 0xAARRGGBB (empty for an unknown handle).
QList<uint32_t> paletteEntries(HPALETTE palette);
// The bitmap currently selected into a memory DC (0 otherwise).
HBITMAP selectedBitmap(HDC hdc);
// How many handles of each kind are alive (leak checks in tests).
int liveDCs();
int liveBitmaps();
int livePalettes();
bool isValid(HANDLE handle);

// Test seam: pretend the display reports another value for one GetDeviceCaps index (e.g.
// RASTERCAPS with RC_PALETTE and SIZEPALETTE 256 for a 256-colour palette device).
void setDeviceCapsOverride(int32_t index, std::optional<int32_t> value);
void clearDeviceCapsOverrides();

// Something a DC can draw into besides a bitmap: a surface's image. A DC made with
// createTargetDC reads and writes targetImage() and calls changed() after each write.
class DrawTarget {
public:
    virtual ~DrawTarget() = default;
    virtual QImage* targetImage() = 0;  // Format_RGB32, or nullptr when there is none
    virtual void changed(const QRect& rect) = 0;
};
HDC createTargetDC(DrawTarget* target);  // delete with DeleteDC when the target goes

// The DC that GetDC gives for a window: a registered target (a surface's on-screen image),
// else the screen's pixels under the window.
void registerWindowTarget(HWND hwnd, DrawTarget* clientTarget);  // nullptr unregisters

// Window handles: every QWidget may be given one (surfaces register themselves).
HWND windowHandle(QWidget* widget);  // registers on first use
QWidget* widgetOf(HWND hwnd);        // nullptr for the desktop or an unknown handle

} // namespace gdi
} // namespace platform
