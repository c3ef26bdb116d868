#include "tests/stock/counting_preview_grid.h"

void CountingPreviewGrid::ClearAllCells()
{
    ++clears;
    cells_.erase(cells_.begin(), cells_.lower_bound({rowCount_, 0}));
}

void CountingPreviewGrid::AppendRow()
{
    ++appends;
    const int row = rowCount_++;
    cells_.erase(cells_.lower_bound({row, 0}), cells_.lower_bound({row + 1, 0}));
}

void CountingPreviewGrid::SetRowCount(int rows)
{
    rowCount_ = rows < 1 ? 1 : rows;
}

void CountingPreviewGrid::SetCellText(int column, int row, const std::string& text)
{
    ++cellWrites;
    if (text.empty())
        cells_.erase({row, column});
    else
        cells_[{row, column}] = text;
}

std::string_view CountingPreviewGrid::cellText(int column, int row) const
{
    const auto it = cells_.find({row, column});
    return it == cells_.end() ? std::string_view() : std::string_view(it->second);
}

std::int64_t CountingPreviewGrid::rowCapacity(std::size_t) const
{
    std::int64_t rows = 0;
    for (auto it = cells_.begin(); it != cells_.end();
         it = cells_.lower_bound({it->first.first + 1, 0}))
        ++rows;
    return capacity_ - rows;
}
