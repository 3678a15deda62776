#include "quiz/layout/ScreenClass.h"

#include <array>

namespace {

constexpr std::array<ScreenClassValues, 5> table{{
    {1, 14, 19, 22, 28, 2, 5},
    {2, 18, 23, 26, 31, 2, 7},
    {3, 22, 27, 32, 33, 3, 6},
    {4, 24, 32, 36, 34, 4, 5},
    {5, 28, 37, 42, 37, 4, 8},
}};

} // namespace

const ScreenClassValues& ScreenClassFor(int16_t screenHeightPixels)
{
    int index = 0;
    if (screenHeightPixels > 500) index = 1;
    if (screenHeightPixels > 650) index = 2;
    if (screenHeightPixels > 778) index = 3;
    if (screenHeightPixels > 874) index = 4;
    return table[index];
}
