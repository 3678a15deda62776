#pragma once
// Whether a capture of the desktop is worth showing behind the intro. Some X servers and
// compositors (GNOME's Xwayland among them) give applications a full-size black picture instead
// of the desktop; the intro then does better with its own background. A desktop of one other
// colour (a plain wallpaper, nothing open) is a real desktop and is shown.
#include "platform/Picture.h"

// False for the empty picture, a null image, and a picture that is black over every pixel.
bool isUsableCapture(const platform::Picture& capture);
