#pragma once
// Which clip names the game plays: a music clip is a file inside the data folder.
#include <QString>

// True for a bare file name; false for a name holding '/', '\' or "..", which could lead out of
// the data folder. The game does not play a refused name, and the bank check reports it.
bool isPlayableClipName(const QString& name);
