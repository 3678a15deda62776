#pragma once
// Whether a capture of the desktop is worth showing behind the intro. Some X servers and
// compositors (Xwayland among them) give applications a full-size picture of one colour
// instead of the desktop; the intro then does better with its own background.
#include "platform/Picture.h"

// False for the empty picture, a null image, and a picture of one colour over every pixel.
bool isUsableCapture(const platform::Picture& capture);
