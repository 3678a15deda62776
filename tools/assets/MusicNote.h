#pragma once
// The music interlude picture, 64 x 58 pixels: two beamed notes on a transparent ground,
// shown above "Listen" while a clip starts.
#include <QImage>

QImage drawMusicNote();
