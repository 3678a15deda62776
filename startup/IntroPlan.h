#pragma once
// The arithmetic of the intro: where the title travels and how long the final slide may take.
// Kept apart from the window so that it can be checked without a screen.
#include "transpik/CoordTable.h"

#include <cstdint>

namespace intro {

constexpr float IntroLength = 11.0f;          // seconds the whole intro aims at
constexpr int16_t FirstPassPoints = 10;
constexpr int16_t FirstPassDelay = 4;         // milliseconds per frame
constexpr float FirstPassMaxTime = 5.0f;
constexpr int32_t OffFormGap = 10;            // pixels right of the form's edge
constexpr double TopGap = 0.2;                // of the title's height, above the title
constexpr int16_t DissolveType = 1;           // dissolve in
constexpr int16_t DissolveSize = 3;
constexpr int32_t DissolveRate = 3;           // seconds
constexpr double WipeShare = 0.7;             // of the dissolve's duration, kept for the wipe
constexpr double Pause = 0.2;                 // seconds, busy, between dissolve and slide
constexpr float SlideMinTime = 2.0f;
constexpr float SlideMaxTime = 9.0f;
constexpr int16_t SlideDelay = 4;
constexpr int16_t WipeDirection = 5;          // from the centre outwards
constexpr int32_t WipeRate = 1;               // milliseconds per step

// A path for the slides: rows 0..N, columns 0..2; point k is row k with x in column 1 and
// y in column 2. Row 0 and column 0 are unused; rows after the last point stay 0.
struct PathTable {
    CoordTable coords;
    int16_t points = 0;
};

struct Position {
    int32_t left = 0;
    int32_t top = 0;
};

// Ten points just right of the form, one pixel apart downwards from y = 1; the table has
// rows 0..formHeight.
PathTable FirstPassPath(int32_t formWidth, int32_t formHeight);

// The title centred across the form with a fifth of its height above it.
Position TitlePlacement(int32_t formWidth, double titleWidth, double titleHeight);

// Straight down, one pixel per point, from the title's top to top + formHeight - 2 x its
// height; no point when that end lies above the start. The table has rows 0..2 x formHeight.
PathTable SlidePath(double titleLeft, int32_t top, int32_t formHeight, double titleHeight);

// What the slide may take: the intro length less what has passed and the wipe allowance,
// kept within 2..9 seconds.
float SlideTimeLimit(double secondsSinceStart, double wipeAllowance);

} // namespace intro
