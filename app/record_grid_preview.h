#pragma once

#include "preview_grid.h"

class RecordGridStore;

// Lets the preview fill the record grid: the four grid operations and the capacity question
// of PreviewGrid, passed to the grid's cell store unchanged. The stock core knows no grid and
// the grid knows no stock files; this is where the two meet.
//
// For its lifetime the store's notifications are held: the grid cannot repaint while the
// preview runs anyway, so it hears once, when the adapter goes (the preview returned or
// failed), what changed, and is left exactly as if it had heard every change.
class RecordGridPreview final : public PreviewGrid
{
public:
    explicit RecordGridPreview(RecordGridStore& store);
    ~RecordGridPreview() override;
    RecordGridPreview(const RecordGridPreview&) = delete;
    RecordGridPreview& operator=(const RecordGridPreview&) = delete;

    void ClearAllCells() override;
    void AppendRow() override;
    int RowCount() const override;
    void SetRowCount(int rows) override;
    void SetCellText(int column, int row, const std::string& text) override;
    std::int64_t RowCapacity(std::size_t textBytesPerRow) const override;

private:
    RecordGridStore& store_;
};
