#include "controls/record_grid/record_grid_store.h"

#include "controls/record_grid/record_grid_texts_p.h"

#include <algorithm>
#include <new>

GridRect GridRect::united(const GridRect& other) const
{
    if (other.isEmpty())
        return *this;
    if (isEmpty())
        return other;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
}

RecordGridStore::RecordGridStore()
    : colWidths_(std::begin(kColWidths), std::end(kColWidths)),
      texts_(std::make_unique<RecordGridTexts>())
{
}

RecordGridStore::~RecordGridStore() = default;
RecordGridStore::RecordGridStore(RecordGridStore&&) noexcept = default;
RecordGridStore& RecordGridStore::operator=(RecordGridStore&&) noexcept = default;

std::size_t RecordGridStore::ClearAllCells()
{
    if (rowCount_ <= 0 || kColCount <= 0)
        return 0;
    const std::size_t freed = texts_->clearBelow(rowCount_, kColCount);
    notifyCells({0, 0, kColCount - 1, rowCount_ - 1});
    return freed;
}

void RecordGridStore::AppendRow()
{
    const int lastWidth = colWidths_.back();
    SetRowCount(rowCount_ + 1);
    const int row = rowCount_ - 1;
    rowHeights_.erase(row);
    texts_->eraseRow(row);
    colWidths_.back() = lastWidth;
    notifyCells({0, row, kColCount - 1, row});
}

void RecordGridStore::SetRowCount(int rows)
{
    if (rows == rowCount_)
        return;
    if (rows <= 0)
        rows = 1;
    if (rows == rowCount_)
        return;
    if (fixedRows_ >= rows)
        fixedRows_ = rows - 1;
    // Heights of rows leaving the view are forgotten; rows coming in get the default.
    rowHeights_.erase(rowHeights_.lower_bound(std::min(rows, rowCount_)), rowHeights_.end());
    rowCount_ = rows;
    if (current_.row > rowCount_ - 1)
        current_.row = rowCount_ - 1;
    current_ = clampToNormal(current_);
    anchor_ = current_;
    notifyLayout();
    notifySelection();
}

void RecordGridStore::SetCellText(int column, int row, const std::string& text)
{
    if (column < 0 || row < 0)
        return;
    try {
        texts_->setText(column, row, text);
    } catch (const std::bad_alloc&) {
        if (row < rowCount_)
            notifyCells({0, row, kColCount - 1, row});
        throw;
    }
    if (row < rowCount_ && column < kColCount)
        notifyCells({column, row, column, row});
}

std::string_view RecordGridStore::cellText(int column, int row) const
{
    return texts_->text(column, row);
}

std::size_t RecordGridStore::storedRowCount() const
{
    return texts_->rowCount();
}

int RecordGridStore::ColWidth(int column) const
{
    return column >= 0 && column < kColCount ? colWidths_[static_cast<std::size_t>(column)] : 0;
}

void RecordGridStore::SetColWidth(int column, int width)
{
    if (column < 0 || column >= kColCount || width < 0)
        return;
    colWidths_[static_cast<std::size_t>(column)] = width;
    notifyLayout();
}

int RecordGridStore::RowHeight(int row) const
{
    if (row < 0 || row >= rowCount_)
        return 0;
    const auto it = rowHeights_.find(row);
    return it == rowHeights_.end() ? defaultRowHeight_ : it->second;
}

void RecordGridStore::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= rowCount_ || height < 0)
        return;
    if (height == defaultRowHeight_)
        rowHeights_.erase(row);
    else
        rowHeights_[row] = height;
    notifyLayout();
}

void RecordGridStore::SetDefaultRowHeight(int height)
{
    if (height < 0)
        return;
    defaultRowHeight_ = height;
    rowHeights_.clear();
    notifyLayout();
}

void RecordGridStore::addToColWidths(int delta)
{
    for (int& width : colWidths_)
        if (width + delta > 0)
            width += delta;
    notifyLayout();
}

void RecordGridStore::addToRowHeights(int delta)
{
    if (defaultRowHeight_ + delta > 0)
        defaultRowHeight_ += delta;
    // Only rows of other heights are kept apart; each keeps its difference to the default,
    // except where that would take it to 0 or below.
    for (auto it = rowHeights_.begin(); it != rowHeights_.end();) {
        const int height = it->second + delta > 0 ? it->second + delta : it->second;
        if (height == defaultRowHeight_) {
            it = rowHeights_.erase(it);
            continue;
        }
        it->second = height;
        ++it;
    }
    notifyLayout();
}

std::int64_t RecordGridStore::rowTop(int row) const
{
    row = std::clamp(row, 0, rowCount_);
    std::int64_t y = std::int64_t(row) * defaultRowHeight_;
    for (auto it = rowHeights_.begin(); it != rowHeights_.end() && it->first < row; ++it)
        y += it->second - defaultRowHeight_;
    return y;
}

std::int64_t RecordGridStore::colLeft(int column) const
{
    column = std::clamp(column, 0, kColCount);
    std::int64_t x = 0;
    for (int c = 0; c < column; ++c)
        x += colWidths_[static_cast<std::size_t>(c)];
    return x;
}

int RecordGridStore::rowAt(std::int64_t y) const
{
    if (y <= 0)
        return 0;
    // Walk the rows of other heights in order; between them every row has the default height.
    std::int64_t top = 0;
    int row = 0;
    for (const auto& [special, height] : rowHeights_) {
        const std::int64_t plainRows = special - row;
        const std::int64_t plainHeight = plainRows * defaultRowHeight_;
        if (y < top + plainHeight)
            return defaultRowHeight_ > 0 ? row + static_cast<int>((y - top) / defaultRowHeight_)
                                         : special;
        top += plainHeight;
        if (y < top + height)
            return special;
        top += height;
        row = special + 1;
    }
    if (defaultRowHeight_ <= 0)
        return rowCount_ - 1;
    const std::int64_t r = row + (y - top) / defaultRowHeight_;
    return static_cast<int>(std::min<std::int64_t>(r, rowCount_ - 1));
}

GridRect RecordGridStore::Selection() const
{
    return {std::min(anchor_.col, current_.col), std::min(anchor_.row, current_.row),
            std::max(anchor_.col, current_.col), std::max(anchor_.row, current_.row)};
}

GridCell RecordGridStore::clampToNormal(GridCell cell) const
{
    cell.col = std::clamp(cell.col, std::min(fixedCols_, kColCount - 1), kColCount - 1);
    cell.row = std::clamp(cell.row, std::min(fixedRows_, rowCount_ - 1), rowCount_ - 1);
    return cell;
}

void RecordGridStore::setCurrentCell(GridCell cell, bool extend)
{
    const GridCell target = clampToNormal(cell);
    if (target == current_ && (extend || anchor_ == current_))
        return;
    current_ = target;
    if (!extend)
        anchor_ = current_;
    notifySelection();
}

void RecordGridStore::SetSelection(GridCell anchor, GridCell current)
{
    anchor_ = clampToNormal(anchor);
    current_ = clampToNormal(current);
    notifySelection();
}

void RecordGridStore::notifyCells(const GridRect& r)
{
    if (listener_)
        listener_->cellsChanged(r);
}

void RecordGridStore::notifyLayout()
{
    if (listener_)
        listener_->layoutChanged();
}

void RecordGridStore::notifySelection()
{
    if (listener_)
        listener_->selectionChanged();
}
