#pragma once

#include "preview_grid.h"

class RecordGridStore;

// Lets the preview fill the record grid: the four grid operations and the capacity question
// of PreviewGrid, passed to the grid's cell store unchanged. The stock core knows no grid and
// the grid knows no stock files; this is where the two meet.
class RecordGridPreview final : public PreviewGrid
{
public:
    explicit RecordGridPreview(RecordGridStore& store) : store_(store) {}

    void ClearAllCells() override;
    void AppendRow() override;
    int RowCount() const override;
    void SetRowCount(int rows) override;
    void SetCellText(int column, int row, const std::string& text) override;
    std::int64_t RowCapacity(std::size_t textBytesPerRow) const override;

private:
    RecordGridStore& store_;
};
