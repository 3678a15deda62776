#pragma once
// The bank editor's icon: the game's icon with a pencil writing across its lower right corner.
#include <QImage>

QImage drawEditorIcon(int size);
