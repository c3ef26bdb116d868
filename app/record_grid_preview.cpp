#include "record_grid_preview.h"

#include "record_grid_store.h"

RecordGridPreview::RecordGridPreview(RecordGridStore& store) : store_(store)
{
    store_.holdNotifications();
}

RecordGridPreview::~RecordGridPreview()
{
    store_.releaseNotifications();
}

void RecordGridPreview::ClearAllCells()
{
    store_.ClearAllCells();
}

void RecordGridPreview::AppendRow()
{
    store_.AppendRow();
}

int RecordGridPreview::RowCount() const
{
    return store_.RowCount();
}

void RecordGridPreview::SetRowCount(int rows)
{
    store_.SetRowCount(rows);
}

void RecordGridPreview::SetCellText(int column, int row, const std::string& text)
{
    store_.SetCellText(column, row, text);
}

std::int64_t RecordGridPreview::RowCapacity(std::size_t textBytesPerRow) const
{
    return store_.RowCapacity(textBytesPerRow);
}
