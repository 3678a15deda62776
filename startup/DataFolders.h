#pragma once
// Where an installed game keeps its files. A portable copy (and the build folder) holds its data
// beside the program; an installed game (in PREFIX/games/ as Debian has it, or PREFIX/bin/) has
// its data in PREFIX/share/quorvel-challenge/, which the player cannot write, and keeps each
// player's progress in that player's own data folder.
#include <QString>

// programFolder/../share/quorvel-challenge/, made absolute, ending with '/'.
QString installedDataFolder(const QString& programFolder);

// The player's own data folder (~/.local/share/quorvel-challenge/), created when missing,
// ending with '/'. Throws RunTimeError naming the folder when it cannot be created.
QString playerDataFolder();

// Whether the game may write its progress into the folder.
bool folderIsWritable(const QString& folder);
