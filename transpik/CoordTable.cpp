#include "transpik/CoordTable.h"

#include "core/RunTimeError.h"

namespace {

// The error of an index outside the table's ranges, or of ranges that end before they begin.
RunTimeError outOfRange() { return RunTimeError(QStringLiteral("The table of points of a slide: Subscript out of range")); }

} // namespace

CoordTable::CoordTable(int32_t firstRow, int32_t lastRow, int32_t firstColumn, int32_t lastColumn)
    : firstRow_(firstRow), lastRow_(lastRow), firstColumn_(firstColumn), lastColumn_(lastColumn)
{
    const int64_t rows = int64_t(lastRow) - firstRow + 1;
    const int64_t columns = int64_t(lastColumn) - firstColumn + 1;
    if (rows < 0 || columns < 0)
        throw outOfRange();
    cells_.assign(std::size_t(rows * columns), 0);
}

std::size_t CoordTable::indexOf(int32_t row, int32_t column) const
{
    if (row < firstRow_ || row > lastRow_ || column < firstColumn_ || column > lastColumn_)
        throw outOfRange();
    const std::size_t columns = std::size_t(lastColumn_ - firstColumn_ + 1);
    return std::size_t(row - firstRow_) * columns + std::size_t(column - firstColumn_);
}

int32_t& CoordTable::operator()(int32_t row, int32_t column) { return cells_[indexOf(row, column)]; }

int32_t CoordTable::operator()(int32_t row, int32_t column) const { return cells_[indexOf(row, column)]; }
