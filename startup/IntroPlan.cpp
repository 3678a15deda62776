#include "startup/IntroPlan.h"

#include "core/Numbers.h"

#include <algorithm>

namespace intro {

namespace {

// The table has the rows the intro asks for, or more when the path needs them: a window
// smaller than its path still gets every point.
PathTable emptyPath(int32_t lastRow, int32_t pointCount)
{
    return PathTable{CoordTable(0, std::max({lastRow, pointCount, 1})), 0};
}

void addPoint(PathTable& path, int32_t x, int32_t y)
{
    path.points = toInt16(double(path.points) + 1);
    path.coords(path.points, 1) = x;
    path.coords(path.points, 2) = y;
}

} // namespace

PathTable FirstPassPath(int32_t formWidth, int32_t formHeight)
{
    PathTable path = emptyPath(formHeight, FirstPassPoints);
    for (int32_t i = 1; i <= FirstPassPoints; ++i)
        addPoint(path, formWidth + OffFormGap, i);
    return path;
}

Position TitlePlacement(int32_t formWidth, double titleWidth, double titleHeight)
{
    return {toInt32(formWidth / 2.0 - titleWidth / 2.0), toInt32(titleHeight * TopGap)};
}

PathTable SlidePath(double titleLeft, int32_t top, int32_t formHeight, double titleHeight)
{
    const int16_t last = toInt16(top + formHeight - 2 * titleHeight);
    PathTable path = emptyPath(2 * formHeight, last - top + 1);
    const int32_t x = toInt32(titleLeft);
    for (int32_t y = top; y <= last; ++y)
        addPoint(path, x, y);
    return path;
}

float SlideTimeLimit(double secondsSinceStart, double wipeAllowance)
{
    // Single precision, as the slide's time limit is handed on.
    const float remaining = IntroLength - float(secondsSinceStart) - float(wipeAllowance);
    return std::clamp(remaining, SlideMinTime, SlideMaxTime);
}

} // namespace intro
