#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class RecordGridTexts;

// A cell of the record grid, column and row counted from 0.
struct GridCell {
    int col = 0;
    int row = 0;
    bool operator==(const GridCell&) const = default;
};

// An inclusive rectangle of cells.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
    bool contains(GridCell c) const
    {
        return c.col >= left && c.col <= right && c.row >= top && c.row <= bottom;
    }
    bool isEmpty() const { return right < left || bottom < top; }
    // The smallest rectangle holding both.
    GridRect united(const GridRect& other) const;
    bool operator==(const GridRect&) const = default;
};

// What a view over the store needs to hear to repaint: every change, as it happens. Gathering
// them into fewer updates is the view's business.
class RecordGridStoreListener
{
public:
    virtual ~RecordGridStoreListener() = default;
    // Texts inside the rectangle may have changed.
    virtual void cellsChanged(const GridRect& /*cells*/) {}
    // Row count, fixed rows, column widths or row heights changed.
    virtual void layoutChanged() {}
    // The current cell or the anchor moved; the view keeps the current cell in sight.
    virtual void selectionChanged() {}
};

// The non-visual half of the record grid: geometry, the sparse cell store and the current
// cell with its anchor. The grid view paints it; its owner fills it through the four grid
// operations ClearAllCells, AppendRow, SetRowCount and SetCellText.
//
// Texts are bytes in the ANSI code page, stored unchanged and independent of the row count:
// a text may stand at or beyond the row count and stays there when rows leave the view. A row
// that was never written costs nothing, not even its height, which is kept only where it
// differs from the default.
class RecordGridStore final
{
public:
    static constexpr int kColCount = 6;
    static constexpr int kDefaultRowHeight = 21;
    static constexpr int kColWidths[kColCount] = {64, 322, 64, 64, 64, 64};
    // What one stored row of five cells costs beside its text, at most: its packing, its share
    // of the blocks' indexes and unfilled ends, and the allocator's overhead.
    static constexpr std::size_t kRowBookkeepingBytes = 40;

    RecordGridStore();
    ~RecordGridStore();
    RecordGridStore(RecordGridStore&&) noexcept;
    RecordGridStore& operator=(RecordGridStore&&) noexcept;

    // Blanks every cell of rows 0..RowCount-1 in every column; the row count stays. Returns the
    // bytes of storage freed, which the caller may hand back to the system.
    std::size_t ClearAllCells();
    // One blank row more at the end, at the default height.
    void AppendRow();
    int RowCount() const { return rowCount_; }
    // 0 or less is taken as 1; the texts of rows leaving or entering the view stay stored.
    void SetRowCount(int rows);
    // Stores the text of (column, row), also at or beyond the row count. When memory for it
    // cannot be had, erases every text of the row and throws std::bad_alloc: a row is never
    // left half-written, and nothing else changes. Blanking a cell never needs memory.
    void SetCellText(int column, int row, const std::string& text);

    // The text of (column, row); empty for a cell never written. The view stays valid until
    // the row is next written.
    std::string_view cellText(int column, int row) const;

    int ColCount() const { return kColCount; }
    int FixedCols() const { return fixedCols_; }
    // Drops when the row count falls to it or below, and never rises again.
    int FixedRows() const { return fixedRows_; }

    int ColWidth(int column) const;
    void SetColWidth(int column, int width);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    // Gives every row the new height, as rows added later get it.
    void SetDefaultRowHeight(int height);
    // Zooming: adds delta to the width of every column, and to the height of every row and to
    // the default height that rows added later get; each only where the result stays above 0.
    void addToColWidths(int delta);
    void addToRowHeights(int delta);

    // Pixel offset of a row's top edge from the top of row 0, and of a column's left edge.
    std::int64_t rowTop(int row) const;
    std::int64_t colLeft(int column) const;
    std::int64_t totalHeight() const { return rowTop(rowCount_); }
    std::int64_t totalWidth() const { return colLeft(kColCount); }
    // The row whose band holds the pixel offset y (from the top of row 0), clamped to the rows.
    int rowAt(std::int64_t y) const;

    // Navigation: the current cell always lies among the normal cells while there is one; the
    // selection is the rectangle between the anchor and the current cell.
    GridCell currentCell() const { return current_; }
    GridCell Anchor() const { return anchor_; }
    GridRect Selection() const;
    // Moves the current cell (clamped to the normal cells); without extend the anchor follows.
    void setCurrentCell(GridCell cell, bool extend = false);
    // Selects the rectangle from anchor to current, both clamped to the normal cells.
    void SetSelection(GridCell anchor, GridCell current);

    void setListener(RecordGridStoreListener* listener) { listener_ = listener; }

    // Number of rows holding any text: what the store actually keeps.
    std::size_t storedRowCount() const;

private:
    GridCell clampToNormal(GridCell cell) const;
    void notifyCells(const GridRect& r);
    void notifyLayout();
    void notifySelection();

    int rowCount_ = 2;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int defaultRowHeight_ = kDefaultRowHeight;
    std::vector<int> colWidths_;
    std::map<int, int> rowHeights_; // only rows whose height differs from the default
    std::unique_ptr<RecordGridTexts> texts_;
    GridCell current_{1, 1};
    GridCell anchor_{1, 1};
    RecordGridStoreListener* listener_ = nullptr;
};
