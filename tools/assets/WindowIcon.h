#pragma once
// The game's icon: a gold "Q" with a note at its shoulder, on a purple velvet tile. One design,
// drawn at any size (32 for the window, 48 to 256 for the desktop).
#include <QImage>

QImage drawWindowIcon(int size);
