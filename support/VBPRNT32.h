#pragma once
// The screen capture module: what is on the screen, as a picture object.
#include "platform/Gdi.h"
#include "platform/Picture.h"

#include <cstdint>

// The whole screen at its full size in pixels (the desktop window's whole-window DC).
platform::Picture CaptureScreen();
// A rectangle of a window: of its client area when client is non-zero, else of the whole
// window with its frame; left/top relative to that area; width x height is the picture's size.
platform::Picture CaptureWindow(platform::HWND hWndSrc, int16_t client, int32_t leftSrc, int32_t topSrc,
                                int32_t widthSrc, int32_t heightSrc);
// A picture object that takes ownership of the bitmap and the palette (0 for none).
platform::Picture CreateBitmapPicture(platform::HBITMAP hBmp, platform::HPALETTE hPal);
