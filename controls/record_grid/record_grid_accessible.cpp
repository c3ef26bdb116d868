#include "controls/record_grid/record_grid_accessible_p.h"

#include "controls/record_grid/record_grid.h"

#include <QWindow>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace
{

int clampedCount(std::int64_t n)
{
    return static_cast<int>(std::clamp<std::int64_t>(n, 0, INT_MAX));
}

bool wholeRowsSelected(const RecordGridStore& store, const GridRect& sel)
{
    return sel.left <= store.FixedCols() && sel.right >= store.ColCount() - 1;
}

bool wholeColumnsSelected(const RecordGridStore& store, const GridRect& sel)
{
    return sel.top <= store.FixedRows() && sel.bottom >= store.RowCount() - 1;
}

QAccessibleInterface* recordGridFactory(const QString& key, QObject* object)
{
    if (key == QLatin1String(TRecordGrid::staticMetaObject.className()))
        if (auto* grid = qobject_cast<TRecordGrid*>(object))
            return new RecordGridAccessible(grid);
    return nullptr;
}

} // namespace

void installRecordGridAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(recordGridFactory);
        return true;
    }();
    (void)installed;
}

// --- the table ---

RecordGridAccessible::RecordGridAccessible(TRecordGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table), announcedRows_(grid->RowCount()),
      announcedFixedRows_(grid->FixedRows()), announcedCurrent_(grid->store().currentCell()),
      announcedSelection_(grid->store().Selection())
{
}

RecordGridAccessible::~RecordGridAccessible()
{
    dropCells();
}

RecordGridAccessible* RecordGridAccessible::of(TRecordGrid* grid)
{
    return dynamic_cast<RecordGridAccessible*>(QAccessible::queryAccessibleInterface(grid));
}

TRecordGrid* RecordGridAccessible::grid() const
{
    return static_cast<TRecordGrid*>(widget());
}

int RecordGridAccessible::indexOf(GridCell cell) const
{
    return clampedCount(std::int64_t(cell.row) * grid()->ColCount() + cell.col);
}

void RecordGridAccessible::dropCells() const
{
    for (const auto& [index, id] : cells_)
        QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
    keptRows_ = -1;
    keptFixedRows_ = -1;
}

void* RecordGridAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QAccessible::Role RecordGridAccessible::role() const
{
    return QAccessible::Table;
}

int RecordGridAccessible::childCount() const
{
    return clampedCount(std::int64_t(rowCount()) * columnCount());
}

QAccessibleInterface* RecordGridAccessible::child(int index) const
{
    if (index < 0)
        return nullptr;
    const int columns = columnCount();
    return cellAt(index / columns, index % columns);
}

int RecordGridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const RecordGridCellAccessible*>(child);
    if (!cell || cell->parent() != this)
        return -1;
    return indexOf(cell->cell());
}

QAccessibleInterface* RecordGridAccessible::childAt(int x, int y) const
{
    const auto cell = grid()->cellAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
    return cell ? cellAt(cell->row, cell->col) : nullptr;
}

QAccessibleInterface* RecordGridAccessible::focusChild() const
{
    const GridCell current = grid()->store().currentCell();
    return cellAt(current.row, current.col);
}

QAccessibleInterface* RecordGridAccessible::cellAt(int row, int column) const
{
    const RecordGridStore& store = grid()->store();
    if (row < 0 || row >= store.RowCount() || column < 0 || column >= store.ColCount())
        return nullptr;
    if (keptRows_ != store.RowCount() || keptFixedRows_ != store.FixedRows()) {
        dropCells();
        keptRows_ = store.RowCount();
        keptFixedRows_ = store.FixedRows();
    }
    const int index = indexOf({column, row});
    if (const auto kept = cells_.find(index); kept != cells_.end())
        return QAccessible::accessibleInterface(kept->second);
    auto* cell = new RecordGridCellAccessible(grid(), {column, row});
    cells_.emplace(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int RecordGridAccessible::rowCount() const
{
    return grid()->RowCount();
}

int RecordGridAccessible::columnCount() const
{
    return grid()->ColCount();
}

int RecordGridAccessible::selectedCellCount() const
{
    const GridRect sel = grid()->store().Selection();
    return clampedCount(std::int64_t(std::max(0, sel.right - sel.left + 1)) *
                        std::max(0, sel.bottom - sel.top + 1));
}

QList<QAccessibleInterface*> RecordGridAccessible::selectedCells() const
{
    const GridRect sel = grid()->store().Selection();
    QList<QAccessibleInterface*> cells;
    for (int row = sel.top; row <= sel.bottom; ++row)
        for (int col = sel.left; col <= sel.right; ++col) {
            if (cells.size() >= kMostListedCells)
                return cells;
            if (QAccessibleInterface* cell = cellAt(row, col))
                cells << cell;
        }
    return cells;
}

QString RecordGridAccessible::columnDescription(int column) const
{
    const TRecordGrid* g = grid();
    if (g->FixedRows() == 0 || column < 0 || column >= g->ColCount())
        return {};
    return grid()->painter().shownText(g->store().cellText(column, 0), g->palette());
}

QString RecordGridAccessible::rowDescription(int row) const
{
    const TRecordGrid* g = grid();
    if (g->FixedCols() == 0 || row < 0 || row >= g->RowCount())
        return {};
    return grid()->painter().shownText(g->store().cellText(0, row), g->palette());
}

int RecordGridAccessible::selectedColumnCount() const
{
    const RecordGridStore& store = grid()->store();
    const GridRect sel = store.Selection();
    return wholeColumnsSelected(store, sel) ? sel.right - sel.left + 1 : 0;
}

int RecordGridAccessible::selectedRowCount() const
{
    const RecordGridStore& store = grid()->store();
    const GridRect sel = store.Selection();
    return wholeRowsSelected(store, sel) ? sel.bottom - sel.top + 1 : 0;
}

QList<int> RecordGridAccessible::selectedColumns() const
{
    const RecordGridStore& store = grid()->store();
    const GridRect sel = store.Selection();
    QList<int> columns;
    if (wholeColumnsSelected(store, sel))
        for (int col = sel.left; col <= sel.right; ++col)
            columns << col;
    return columns;
}

QList<int> RecordGridAccessible::selectedRows() const
{
    const RecordGridStore& store = grid()->store();
    const GridRect sel = store.Selection();
    QList<int> rows;
    if (wholeRowsSelected(store, sel))
        for (int row = sel.top; row <= sel.bottom; ++row)
            rows << row;
    return rows;
}

bool RecordGridAccessible::isColumnSelected(int column) const
{
    const RecordGridStore& store = grid()->store();
    const GridRect sel = store.Selection();
    return wholeColumnsSelected(store, sel) && column >= sel.left && column <= sel.right;
}

bool RecordGridAccessible::isRowSelected(int row) const
{
    const RecordGridStore& store = grid()->store();
    const GridRect sel = store.Selection();
    return wholeRowsSelected(store, sel) && row >= sel.top && row <= sel.bottom;
}

bool RecordGridAccessible::selectRow(int row)
{
    RecordGridStore& store = grid()->store();
    if (row < store.FixedRows() || row >= store.RowCount())
        return false;
    store.SetSelection({store.FixedCols(), row}, {store.ColCount() - 1, row});
    return true;
}

bool RecordGridAccessible::selectColumn(int column)
{
    RecordGridStore& store = grid()->store();
    if (column < store.FixedCols() || column >= store.ColCount())
        return false;
    store.SetSelection({column, store.FixedRows()}, {column, store.RowCount() - 1});
    return true;
}

// The selection is one rectangle: no row or column can leave it alone.
bool RecordGridAccessible::unselectRow(int /*row*/)
{
    return false;
}

bool RecordGridAccessible::unselectColumn(int /*column*/)
{
    return false;
}

void RecordGridAccessible::modelChange(QAccessibleTableModelChangeEvent* event)
{
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
        dropCells();
}

// --- what the grid tells ---

void RecordGridAccessible::cellsChanged(const GridRect& cells)
{
    const int lastRow = std::min(cells.bottom, grid()->RowCount() - 1);
    if (cells.top > lastRow || cells.left > cells.right)
        return;
    QAccessibleTableModelChangeEvent event(grid(), QAccessibleTableModelChangeEvent::DataChanged);
    event.setFirstRow(cells.top);
    event.setLastRow(lastRow);
    event.setFirstColumn(cells.left);
    event.setLastColumn(cells.right);
    QAccessible::updateAccessibility(&event);
}

void RecordGridAccessible::layoutChanged()
{
    const int rows = grid()->RowCount();
    const int fixedRows = grid()->FixedRows();
    if (rows == announcedRows_ && fixedRows == announcedFixedRows_)
        return;
    using Change = QAccessibleTableModelChangeEvent;
    const Change::ModelChangeType type = fixedRows != announcedFixedRows_ ? Change::ModelReset
                                         : rows > announcedRows_          ? Change::RowsInserted
                                                                          : Change::RowsRemoved;
    Change event(grid(), type);
    event.setFirstRow(std::min(rows, announcedRows_));
    event.setLastRow(std::max(rows, announcedRows_) - 1);
    event.setFirstColumn(0);
    event.setLastColumn(grid()->ColCount() - 1);
    announcedRows_ = rows;
    announcedFixedRows_ = fixedRows;
    QAccessible::updateAccessibility(&event);
}

void RecordGridAccessible::selectionChanged()
{
    const RecordGridStore& store = grid()->store();
    const GridRect sel = store.Selection();
    const GridCell current = store.currentCell();
    if (!(sel == announcedSelection_)) {
        announcedSelection_ = sel;
        if (sel.left == sel.right && sel.top == sel.bottom) {
            sendToCurrent(QAccessible::Selection);
        } else {
            QAccessibleEvent event(grid(), QAccessible::SelectionWithin);
            QAccessible::updateAccessibility(&event);
        }
    }
    if (!(current == announcedCurrent_)) {
        announcedCurrent_ = current;
        if (grid()->hasFocus())
            sendToCurrent(QAccessible::Focus);
    }
}

void RecordGridAccessible::focusGained()
{
    announcedCurrent_ = grid()->store().currentCell();
    sendToCurrent(QAccessible::Focus);
}

void RecordGridAccessible::sendToCurrent(QAccessible::Event type)
{
    QAccessibleEvent event(grid(), type);
    event.setChild(indexOf(grid()->store().currentCell()));
    QAccessible::updateAccessibility(&event);
}

// --- a cell ---

RecordGridCellAccessible::RecordGridCellAccessible(TRecordGrid* grid, GridCell cell)
    : grid_(grid), cell_(cell)
{
}

bool RecordGridCellAccessible::isValid() const
{
    return grid_ && cell_.row < grid_->RowCount() && cell_.col < grid_->ColCount();
}

QWindow* RecordGridCellAccessible::window() const
{
    return grid_ ? grid_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* RecordGridCellAccessible::parent() const
{
    return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
}

QString RecordGridCellAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    return grid_->painter().shownText(grid_->store().cellText(cell_.col, cell_.row),
                                      grid_->palette());
}

QRect RecordGridCellAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect r = grid_->cellRect(cell_);
    if (r.isEmpty())
        return {};
    return {grid_->viewport()->mapToGlobal(r.topLeft()), r.size()};
}

bool RecordGridCellAccessible::fixed() const
{
    return cell_.row < grid_->FixedRows() || cell_.col < grid_->FixedCols();
}

QAccessible::Role RecordGridCellAccessible::role() const
{
    if (grid_ && cell_.row < grid_->FixedRows())
        return QAccessible::ColumnHeader;
    if (grid_ && cell_.col < grid_->FixedCols())
        return QAccessible::RowHeader;
    return QAccessible::Cell;
}

QAccessible::State RecordGridCellAccessible::state() const
{
    QAccessible::State st;
    if (!isValid()) {
        st.invalid = true;
        return st;
    }
    st.readOnly = true;
    if (grid_->cellRect(cell_).isEmpty()) {
        st.invisible = true;
        st.offscreen = true;
    }
    if (fixed())
        return st;
    st.selectable = true;
    st.focusable = true;
    st.selected = isSelected();
    st.focused = grid_->hasFocus() && grid_->store().currentCell() == cell_;
    return st;
}

void* RecordGridCellAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool RecordGridCellAccessible::isSelected() const
{
    return isValid() && !fixed() && grid_->store().Selection().contains(cell_);
}

QList<QAccessibleInterface*> RecordGridCellAccessible::columnHeaderCells() const
{
    QList<QAccessibleInterface*> headers;
    if (!isValid())
        return headers;
    const QAccessibleTableInterface* t = parent()->tableInterface();
    for (int row = 0; row < grid_->FixedRows(); ++row)
        headers << t->cellAt(row, cell_.col);
    return headers;
}

QList<QAccessibleInterface*> RecordGridCellAccessible::rowHeaderCells() const
{
    QList<QAccessibleInterface*> headers;
    if (!isValid())
        return headers;
    const QAccessibleTableInterface* t = parent()->tableInterface();
    for (int col = 0; col < grid_->FixedCols(); ++col)
        headers << t->cellAt(cell_.row, col);
    return headers;
}

QAccessibleInterface* RecordGridCellAccessible::table() const
{
    return parent();
}
