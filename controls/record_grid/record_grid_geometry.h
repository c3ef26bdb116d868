#pragma once

#include "controls/record_grid/record_grid_store.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

// Where the cells of the record grid lie in its viewport at one scroll position: the fixed rows
// and columns at the top and left, never scrolled, then the scrollable cells from the first
// visible row and column on. Positions are viewport pixels. Nothing here walks more rows than
// fit into the viewport, so every question costs the same for 100 rows and for a million.
//
// A value to be built afresh whenever the store, the scroll position or the viewport changes;
// it keeps a reference to the store.
class RecordGridGeometry
{
public:
    // firstRow and firstCol are clamped to the scrollable rows and columns.
    RecordGridGeometry(const RecordGridStore& store, QSize viewport, int firstRow, int firstCol);

    const RecordGridStore& store() const { return store_; }
    QSize viewportSize() const { return viewport_; }

    // The scrollable row and column shown right after the fixed ones.
    int firstVisibleRow() const { return firstRow_; }
    int firstVisibleCol() const { return firstCol_; }

    // Pixel extent of the fixed rows (height) and of the fixed columns (width).
    int fixedHeight() const;
    int fixedWidth() const;

    // The whole rectangle of the cell, possibly reaching past the viewport's edge; an empty
    // rectangle when no pixel of it is in view (scrolled away, or beyond the row count).
    QRect cellRect(GridCell cell) const;
    // The bounding rectangle of what is in view of the cells, clipped to the viewport; empty
    // when none of them is in view.
    QRect cellsRect(const GridRect& cells) const;
    // The cell under a viewport point; none outside the cells.
    std::optional<GridCell> cellAt(QPoint point) const;

    // Rows with any pixel in view, in painting order: the fixed rows, then the scrollable rows
    // from the first visible one down to the viewport's bottom edge. Columns likewise.
    std::vector<int> visibleRows() const;
    std::vector<int> visibleCols() const;

    // Scrollable rows (columns) wholly in view from the first visible one on.
    int fullyVisibleRows() const;
    int fullyVisibleCols() const;

    // The largest useful first visible row: the smallest row from which every remaining row
    // fits under the fixed rows (the last row when even it does not fit). Columns likewise.
    int maxFirstRow() const;
    int maxFirstCol() const;

    // The first visible row that brings the row into view with the least scrolling: the
    // current one when the row is fixed or already wholly in view. Columns likewise.
    int firstRowShowing(int row) const;
    int firstColShowing(int col) const;

private:
    const RecordGridStore& store_;
    QSize viewport_;
    int firstRow_;
    int firstCol_;
};
