#pragma once

#include "controls/record_grid/record_grid_geometry.h"

#include <Qt>

// What a key does to the record grid, worked out from the grid as it is in view:
//   Left, Right, Up, Down    one column or row
//   Page Up, Page Down       one page of rows, the view scrolled by as much; a page is the
//                            number of wholly visible scrollable rows less one, at least one
//   Home, End                first normal column, last column
//   Ctrl+Home, Ctrl+End      first normal cell, last cell
//   Ctrl+Page Up, Page Down  top or bottom wholly visible row
//   Ctrl+Left, Ctrl+Right    one page of columns, counted alike, the view scrolled with it
//   Ctrl+Up, Ctrl+Down       the view scrolled one row, the current cell left where it is
//   Ctrl+A                   every normal cell: anchor on the first, current on the last
// With Shift a move extends the selection from the anchor. Every key but Ctrl+Up and Ctrl+Down
// has a target cell, also when that is the current cell already. The current cell stays among
// the normal cells and the view within its scroll range. Any other key is not the grid's.
struct GridKeyMove {
    bool handled = false;
    int firstRow = 0; // the scroll position wanted
    int firstCol = 0;
    GridCell current;
    bool extend = false;
    bool selectAll = false;  // anchor on the first normal cell; the view does not scroll
    bool scrollOnly = false; // no target cell: the current cell and the selection stay
};

GridKeyMove gridKeyMove(const RecordGridGeometry& geometry, int key,
                        Qt::KeyboardModifiers modifiers);
