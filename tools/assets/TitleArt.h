#pragma once
// The intro's title artwork: "The Quorvel Challenge" in bouncing gold letters with a dark outline,
// framed by stars and notes, on the pure green key that the intro leaves out. 599 x 127 pixels,
// 8 bits per pixel with a 256-entry palette. The key is palette entry 0, and no pixel that is
// drawn is anywhere near green, so no fringe of the lettering is ever keyed out.
#include <QColor>
#include <QImage>

QImage drawTitleArt();

// True for colours that a viewer would call green (and that a loose colour key might catch).
bool isNearGreen(QColor colour);
