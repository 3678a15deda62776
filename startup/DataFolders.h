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

// The bank folder this run plays instead of the game's own (quorvel-challenge --data DIR),
// absolute and ending with '/'; empty for the game's own bank.
QString playedBankFolder();
void setPlayedBankFolder(const QString& folder);

// A name for a played bank folder that tells it from every other, readable by the player:
// the folder's own name and a hash of its whole path ("mybank-3f2a9c1d").
QString bankKey(const QString& bankFolder);

// Where a played bank keeps its progress, apart from the game's own and from every other
// bank's: playerFolder/banks/KEY/USER.ASC.
QString bankProgressFile(const QString& playerFolder, const QString& bankFolder);
