#include "controls/record_grid/record_grid_keyboard_p.h"

#include <algorithm>

GridKeyMove gridKeyMove(const RecordGridGeometry& g, int key, Qt::KeyboardModifiers modifiers)
{
    const RecordGridStore& store = g.store();
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const int lastCol = store.ColCount() - 1;
    const int lastRow = store.RowCount() - 1;
    const int top = g.firstVisibleRow();
    const int left = g.firstVisibleCol();
    const int pageHeight = std::max(1, g.fullyVisibleRows() - 1);
    const int pageWidth = std::max(1, g.fullyVisibleCols() - 1);

    GridKeyMove m;
    m.handled = true;
    m.firstRow = top;
    m.firstCol = left;
    m.current = store.currentCell();
    m.extend = modifiers.testFlag(Qt::ShiftModifier);
    GridCell& c = m.current;

    if (ctrl) {
        switch (key) {
        case Qt::Key_Up:
            --m.firstRow;
            m.scrollOnly = true;
            break;
        case Qt::Key_Down:
            ++m.firstRow;
            m.scrollOnly = true;
            break;
        case Qt::Key_Left:
            c.col -= pageWidth;
            m.firstCol -= pageWidth;
            break;
        case Qt::Key_Right:
            c.col += pageWidth;
            m.firstCol += pageWidth;
            break;
        case Qt::Key_PageUp:
            c.row = top;
            break;
        case Qt::Key_PageDown:
            c.row = top + g.fullyVisibleRows() - 1;
            break;
        case Qt::Key_Home:
            c = {store.FixedCols(), store.FixedRows()};
            break;
        case Qt::Key_End:
            c = {lastCol, lastRow};
            break;
        case Qt::Key_A:
            m.selectAll = true;
            m.extend = false;
            c = {lastCol, lastRow};
            break;
        default:
            return {};
        }
    } else {
        switch (key) {
        case Qt::Key_Up:
            --c.row;
            break;
        case Qt::Key_Down:
            ++c.row;
            break;
        case Qt::Key_Left:
            --c.col;
            break;
        case Qt::Key_Right:
            ++c.col;
            break;
        case Qt::Key_PageDown:
            c.row += pageHeight;
            m.firstRow += pageHeight;
            break;
        case Qt::Key_PageUp:
            c.row -= pageHeight;
            m.firstRow -= pageHeight;
            break;
        case Qt::Key_Home:
            c.col = store.FixedCols();
            break;
        case Qt::Key_End:
            c.col = lastCol;
            break;
        default:
            return {};
        }
    }
    m.firstRow =
        std::clamp(m.firstRow, store.FixedRows(), std::max(store.FixedRows(), g.maxFirstRow()));
    m.firstCol =
        std::clamp(m.firstCol, store.FixedCols(), std::max(store.FixedCols(), g.maxFirstCol()));
    c.col = std::clamp(c.col, std::min(store.FixedCols(), lastCol), lastCol);
    c.row = std::clamp(c.row, std::min(store.FixedRows(), lastRow), lastRow);
    return m;
}
