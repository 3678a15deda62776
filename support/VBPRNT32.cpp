#include "support/VBPRNT32.h"

#include "core/Numbers.h"
#include "core/RunTimeError.h"
#include "platform/ScreenMetrics.h"

using namespace platform;

namespace {
constexpr int32_t paletteBit = RC_PALETTE;
constexpr int32_t paletteSize = 256;
} // namespace

Picture CreateBitmapPicture(HBITMAP hBmp, HPALETTE hPal)
{
    // The picture takes both handles and frees them with its last reference. A bitmap that
    // is not there gives the empty picture, like a failed factory call.
    return Picture::fromHandles(hBmp, hPal);
}

Picture CaptureWindow(HWND hWndSrc, int16_t client, int32_t leftSrc, int32_t topSrc, int32_t widthSrc, int32_t heightSrc)
{
    const HDC hDCSrc = client != 0 ? GetDC(hWndSrc) : GetWindowDC(hWndSrc);

    const HDC hDCMemory = CreateCompatibleDC(hDCSrc);
    const HBITMAP hBmp = CreateCompatibleBitmap(hDCSrc, widthSrc, heightSrc);
    const HBITMAP hBmpPrev = SelectObject(hDCMemory, hBmp);

    const int32_t rasterCapsScrn = GetDeviceCaps(hDCSrc, RASTERCAPS) & paletteBit;
    const int32_t paletteSizeScrn = GetDeviceCaps(hDCSrc, SIZEPALETTE);
    const bool hasPalette = rasterCapsScrn != 0 && paletteSizeScrn == paletteSize;

    HPALETTE hPal = 0;
    HPALETTE hPalPrev = 0;
    if (hasPalette) {
        LOGPALETTE logPal;  // cleared to zero
        logPal.palVersion = 0x300;
        logPal.palNumEntries = paletteSize;
        GetSystemPaletteEntries(hDCSrc, 0, paletteSize, logPal.palPalEntry.data());
        hPal = CreatePalette(logPal);
        hPalPrev = SelectPalette(hDCMemory, hPal, false);
        RealizePalette(hDCMemory);
    }

    BitBlt(hDCMemory, 0, 0, widthSrc, heightSrc, hDCSrc, leftSrc, topSrc, SRCCOPY);

    const HBITMAP captured = SelectObject(hDCMemory, hBmpPrev);
    if (hasPalette)
        hPal = SelectPalette(hDCMemory, hPalPrev, false);

    DeleteDC(hDCMemory);
    ReleaseDC(hWndSrc, hDCSrc);

    return CreateBitmapPicture(captured, hPal);
}

Picture CaptureScreen()
{
    const HWND hWndScreen = GetDesktopWindow();
    // Whole twips divided by whole twips per pixel, the remainder dropped; a twips per pixel
    // that rounds to 0 is a division error for the caller.
    const auto wholeNumber = [](double value) { return static_cast<int64_t>(roundHalfEven(value)); };
    const int64_t twipsPerPixelX = wholeNumber(ScreenMetrics::twipsPerPixelX());
    const int64_t twipsPerPixelY = wholeNumber(ScreenMetrics::twipsPerPixelY());
    if (twipsPerPixelX == 0 || twipsPerPixelY == 0)
        throw RunTimeError(QStringLiteral("The screen capture: the screen has no size in pixels (Division by zero)"));
    const int32_t width = toInt32(double(wholeNumber(ScreenMetrics::widthTwips()) / twipsPerPixelX));
    const int32_t height = toInt32(double(wholeNumber(ScreenMetrics::heightTwips()) / twipsPerPixelY));
    return CaptureWindow(hWndScreen, 0, 0, 0, width, height);
}
