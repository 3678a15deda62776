#pragma once
// The desktop's pixels read straight from the X server's root window: one request, and the
// reply becomes the image without a copy. Qt's own screen grab copies the desktop into a server
// pixmap first and the pixels twice more on this side, which costs the intro's start tens of
// milliseconds.
#include <QImage>
#include <QRect>

#include <optional>

namespace platform {

// The root window's pixels in `native` (X pixels; parts outside the root read as black), or
// nothing where the game does not run on an X server or the server keeps its pixels in a form
// other than 32-bit xRGB, which the caller then reads another way.
std::optional<QImage> grabRootWindow(const QRect& native);

// Starts reading the whole desktop on a thread and a connection of its own, before Qt is up:
// the game's first grab of the screen then takes those pixels instead of waiting for the X
// server at that moment. Does nothing where Qt is not going to draw through an X server.
void readDesktopAhead();

} // namespace platform
