#pragma once
// Names of the pictures compiled into the game, and the window icon made from them.
#include <QIcon>

namespace QuorvelResources {

inline constexpr const char* titleArt = ":/pictures/title.bmp";                 // Pic1's artwork
inline constexpr const char* delvoNeutral = ":/pictures/delvo-neutral.png";     // Imgdelvo(2)
inline constexpr const char* delvoDelighted = ":/pictures/delvo-delighted.png"; // Imgdelvo(3)
inline constexpr const char* delvoDismayed = ":/pictures/delvo-dismayed.png";   // Imgdelvo(4)
inline constexpr const char* musicNote = ":/pictures/music.png";                // Image1

// The game's icon in every size it is drawn at (32 for the window, up to 256 for the desktop).
QIcon windowIcon();

} // namespace QuorvelResources
