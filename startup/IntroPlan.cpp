#include "IntroPlan.h"

#include "Numbers.h"

#include <algorithm>

namespace intro {

PathTable::PathTable(int32_t lastRow)
    : rows(static_cast<size_t>(std::max(lastRow, 1)) + 1, std::array<int32_t, 3>{})
{
}

void PathTable::add(int32_t x, int32_t y)
{
    points = toInt16(double(points) + 1);
    // A form smaller than its path still gets every point (the table only ever grows).
    if (static_cast<size_t>(points) >= rows.size())
        rows.resize(static_cast<size_t>(points) + 1, std::array<int32_t, 3>{});
    rows[points][1] = x;
    rows[points][2] = y;
}

PathTable FirstPassPath(int32_t formWidth, int32_t formHeight)
{
    PathTable path(formHeight);
    for (int32_t i = 1; i <= FirstPassPoints; ++i)
        path.add(formWidth + OffFormGap, i);
    return path;
}

Position TitlePlacement(int32_t formWidth, double titleWidth, double titleHeight)
{
    return {toInt32(formWidth / 2.0 - titleWidth / 2.0), toInt32(titleHeight * TopGap)};
}

PathTable SlidePath(double titleLeft, int32_t top, int32_t formHeight, double titleHeight)
{
    PathTable path(2 * formHeight);
    const int16_t last = toInt16(top + formHeight - 2 * titleHeight);
    const int32_t x = toInt32(titleLeft);
    for (int32_t y = top; y <= last; ++y)
        path.add(x, y);
    return path;
}

float SlideTimeLimit(double secondsSinceStart, double wipeAllowance)
{
    // Single precision, as the slide's time limit is handed on.
    const float remaining = IntroLength - float(secondsSinceStart) - float(wipeAllowance);
    return std::clamp(remaining, SlideMinTime, SlideMaxTime);
}

} // namespace intro
