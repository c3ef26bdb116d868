#pragma once

#include "controls/record_grid/record_grid_store.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <unordered_map>

class TRecordGrid;

// The record grid as assistive technology reads it: a table of RowCount rows and ColCount
// columns numbered as the grid numbers them, the fixed cells included. Cells of the fixed rows
// are column headers, the other cells of the fixed columns row headers, the rest plain cells;
// a cell is named by the text it shows (RecordGridPainter::shownText), selected inside the
// selection range and focused while it is the current cell of the focused grid.
//
// Nothing is kept for a cell until someone asks for it: a cell's interface is made on first
// request, registered with QAccessible and kept under its row and column until the rows
// change (row count or fixed rows), then all are let go. Everything a cell reports is read
// from the grid when asked.
//
// A selection can hold millions of cells: selectedCellCount() tells how many,
// selectedCells() lists the first kMostListedCells of them, row by row.
class RecordGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    static constexpr int kMostListedCells = 1000;

    explicit RecordGridAccessible(TRecordGrid* grid);
    ~RecordGridAccessible() override;

    // The grid's interface as QAccessible keeps it.
    static RecordGridAccessible* of(TRecordGrid* grid);

    TRecordGrid* grid() const;
    int indexOf(GridCell cell) const;
    // The rows changed: the cells kept so far are let go.
    void dropCells() const; // only the cache of cells changes

    // Called by the grid while QAccessible::isActive(): tell the reader what changed.
    void cellsChanged(const GridRect& cells);
    void layoutChanged();
    void selectionChanged();
    void focusGained();

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType t) override;
    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    void sendToCurrent(QAccessible::Event type);

    mutable std::unordered_map<int, QAccessible::Id> cells_;
    // The rows the kept cells and the last announcement were made for.
    mutable int keptRows_ = -1;
    mutable int keptFixedRows_ = -1;
    int announcedRows_;
    int announcedFixedRows_;
    GridCell announcedCurrent_;
    GridRect announcedSelection_;
};

// One cell of the grid, read from it on every request. Its headers are the cells of the fixed
// rows in its column and of the fixed columns in its row, a header cell's own included.
class RecordGridCellAccessible final : public QAccessibleInterface,
                                       public QAccessibleTableCellInterface
{
public:
    RecordGridCellAccessible(TRecordGrid* grid, GridCell cell);

    GridCell cell() const { return cell_; }

    // QAccessibleInterface
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return cell_.col; }
    int rowIndex() const override { return cell_.row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    bool fixed() const;

    QPointer<TRecordGrid> grid_;
    GridCell cell_;
};

// Lets QAccessible make RecordGridAccessible for every TRecordGrid; once per process.
void installRecordGridAccessibility();
