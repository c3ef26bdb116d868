#pragma once

#include "stock/preview_grid.h"

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <utility>

// A stand-in for the record grid as the preview sees it: the four grid operations kept in a
// plain map by the grid's own rules (texts stored independently of the row count, cleared only
// below it, appended rows blank), every call counted, and a capacity the test chooses, of which
// each row holding text takes one.
class CountingPreviewGrid final : public PreviewGrid
{
public:
    static constexpr int kColCount = 6;

    explicit CountingPreviewGrid(std::int64_t capacity = std::numeric_limits<std::int64_t>::max())
        : capacity_(capacity)
    {
    }

    void ClearAllCells() override;
    void AppendRow() override;
    int RowCount() const { return rowCount_; }
    void SetRowCount(int rows) override;
    void SetCellText(int column, int row, const std::string& text) override;
    std::int64_t rowCapacity(std::size_t) const override;

    int ColCount() const { return kColCount; }
    std::string_view cellText(int column, int row) const;
    // How many cells hold a text, wherever they stand.
    std::size_t StoredTexts() const { return cells_.size(); }

    int clears = 0;
    int appends = 0;
    int cellWrites = 0;

private:
    std::int64_t capacity_;
    int rowCount_ = 2;
    std::map<std::pair<int, int>, std::string> cells_; // (row, column) -> text
};
