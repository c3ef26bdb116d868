#pragma once

#include "record_grid_geometry.h"
#include "record_grid_painter.h"
#include "record_grid_store.h"

#include <QAbstractScrollArea>

#include <memory>
#include <optional>

// The read-only record grid: a view of its own over a RecordGridStore, which the preview fills
// through its PreviewGrid interface. The fixed header row and fixed column never scroll; the
// scroll bars move by whole rows and columns and appear only when the cells do not fit. Cells
// are painted by a RecordGridPainter, only those in view, so a million rows paint as fast as
// two.
//
// Repaints follow the store: a changed text repaints only its own cell (nothing when the cell
// is out of view or beyond the row count), a change of rows or sizes refits the scroll bars,
// and a move of the current cell scrolls as far as needed to show it. Refitting and that
// scroll happen once, when control returns to the event loop or when the cell geometry is
// next asked for, whichever comes first; so a preview appending a million rows pays for them
// once.
//
// The arrow keys move the current cell among the normal cells (with Shift the selection grows
// from the anchor); a left click on a normal cell makes it current. Clicks on fixed cells do
// nothing.
class TRecordGrid : public QAbstractScrollArea, private RecordGridStoreListener
{
    Q_OBJECT
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int ColCount READ ColCount)
    Q_PROPERTY(int FixedCols READ FixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)

public:
    explicit TRecordGrid(QWidget* parent = nullptr);
    ~TRecordGrid() override;

    RecordGridStore& store() { return store_; }
    const RecordGridStore& store() const { return store_; }

    int RowCount() const { return store_.RowCount(); }
    void SetRowCount(int rows) { store_.SetRowCount(rows); }
    int ColCount() const { return store_.ColCount(); }
    int FixedCols() const { return store_.FixedCols(); }
    int FixedRows() const { return store_.FixedRows(); }
    int DefaultRowHeight() const { return store_.DefaultRowHeight(); }
    void SetDefaultRowHeight(int height) { store_.SetDefaultRowHeight(height); }

    RecordGridPainter& painter() { return *painter_; }
    // Replaces the painter (a different look, or a test's counting one); repaints. Null is
    // ignored.
    void setPainter(std::unique_ptr<RecordGridPainter> painter);

    // Cell geometry at the present scroll position, in viewport coordinates (viewport()).
    RecordGridGeometry cellGeometry() const;
    // The cell's whole rectangle; empty when no pixel of it is in view.
    QRect cellRect(GridCell cell) const;
    // The cell under a viewport point; none outside the cells.
    std::optional<GridCell> cellAt(QPoint viewportPoint) const;
    // The scrollable row and column shown right after the fixed ones.
    int firstVisibleRow() const;
    int firstVisibleCol() const;

    // Scrolls as little as needed to bring the cell wholly into view (as far as it fits).
    void scrollToCell(GridCell cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void cellsChanged(const GridRect& cells) override;
    void layoutChanged() override;
    void selectionChanged() override;

    void updateScrollBars();
    void scheduleRefit();
    void refit();
    // Runs a pending refit, so that what is asked or painted matches the store.
    void refitNow() const;
    RecordGridGeometry geometryAsScrolled() const;

    RecordGridStore store_;
    std::unique_ptr<RecordGridPainter> painter_;
    GridRect paintedSelection_;
    bool refitPending_ = false;
    bool scrollPending_ = false;
};
