#pragma once
// The table of points handed to the slides (`coords`): a two-dimensional table of 32-bit
// integers with its own index ranges. Reading or writing outside them is a subscript error,
// as the slides rely on: point 1 is read even when there are no frames.
#include <cstdint>
#include <vector>

class CoordTable {
public:
    // Rows firstRow..lastRow, columns firstColumn..lastColumn, every element 0.
    CoordTable(int32_t firstRow, int32_t lastRow, int32_t firstColumn = 0, int32_t lastColumn = 2);

    int32_t& operator()(int32_t row, int32_t column);
    int32_t operator()(int32_t row, int32_t column) const;

private:
    std::size_t indexOf(int32_t row, int32_t column) const;  // throws "Subscript out of range"

    int32_t firstRow_, lastRow_, firstColumn_, lastColumn_;
    std::vector<int32_t> cells_;
};
