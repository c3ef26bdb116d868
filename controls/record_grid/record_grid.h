#pragma once

#include "controls/record_grid/pan_cursors.h"
#include "controls/record_grid/record_grid_geometry.h"
#include "controls/record_grid/record_grid_painter.h"
#include "controls/record_grid/record_grid_store.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>

#include <memory>
#include <optional>

class RecordGridInput;

// The read-only record grid: a view of its own over a RecordGridStore, which the preview fills
// through its PreviewGrid interface. The fixed header row and fixed column never scroll; the
// scroll bars move by whole rows and columns and appear only when the cells do not fit. Cells
// are painted by a RecordGridPainter, only those in view, so a million rows paint as fast as
// two.
//
// The view follows the store by gathering what it reports and catching up once, when control
// returns to the event loop or when the cell geometry is next asked for, whichever comes
// first: a changed text repaints only its own cell (texts changed meanwhile, the rectangle
// holding them; nothing when out of view or beyond the row count), a change of rows or sizes
// repaints the view and refits the scroll bars, and a move of the current cell scrolls as far
// as needed to show it. So a preview appending a million rows pays for all of that once.
//
// To assistive technology the grid is a table of its cells, fixed ones as headers
// (record_grid_accessible_p.h); it announces the current cell, the selection and changed rows
// only while QAccessible::isActive(), and makes nothing for cells nobody asks about.
//
// Input lives in RecordGridInput (record_grid_input_p.h): the view hands it its key, mouse,
// wheel, focus-out and hide events; what the operator can do is described there. The view
// itself is about painting and geometry.
class TRecordGrid : public QAbstractScrollArea, private RecordGridStoreListener
{
    Q_OBJECT
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int ColCount READ ColCount)
    Q_PROPERTY(int FixedCols READ FixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(QFont FixedFont READ FixedFont WRITE SetFixedFont)
    Q_PROPERTY(QColor SelectionColor READ SelectionColor WRITE SetSelectionColor)
    Q_PROPERTY(QColor SelectionTextColor READ SelectionTextColor WRITE SetSelectionTextColor)
    Q_PROPERTY(QColor GridLineColor READ GridLineColor WRITE SetGridLineColor)
    Q_PROPERTY(bool EnableMarkup READ EnableMarkup WRITE SetEnableMarkup)
    Q_PROPERTY(bool EnableWheel READ EnableWheel WRITE SetEnableWheel)
    Q_PROPERTY(bool WheelZoom READ WheelZoom WRITE SetWheelZoom)
    Q_PROPERTY(TMiddlePan MiddlePan READ MiddlePan WRITE SetMiddlePan)
    Q_PROPERTY(int zoomOffset READ zoomOffset)

public:
    enum TMiddlePan { mpNone, mpVertical };
    Q_ENUM(TMiddlePan)

    // The input's limits and steps (RecordGridInput).
    static constexpr int kMostZoom = 10;
    static constexpr int kWheelNotch = 120;
    static constexpr int kPanInterval = 10; // ms
    static constexpr int kPanDeadZone = 5;  // pixels

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

    // The font of the normal cells and of the fixed cells. (QWidget::font is the widget's own
    // font, which the cells are not painted with.)
    QFont Font() const { return painter_->font(); }
    void SetFont(const QFont& font);
    QFont FixedFont() const { return painter_->fixedFont(); }
    void SetFixedFont(const QFont& font);
    QColor SelectionColor() const { return painter_->selectionColor(); }
    void SetSelectionColor(const QColor& color);
    QColor SelectionTextColor() const { return painter_->selectionTextColor(); }
    void SetSelectionTextColor(const QColor& color);
    QColor GridLineColor() const { return painter_->gridLineColor(); }
    void SetGridLineColor(const QColor& color);
    bool EnableMarkup() const { return painter_->enableMarkup(); }
    void SetEnableMarkup(bool on);
    bool EnableWheel() const { return enableWheel_; }
    void SetEnableWheel(bool on) { enableWheel_ = on; }
    bool WheelZoom() const { return wheelZoom_; }
    void SetWheelZoom(bool on) { wheelZoom_ = on; }
    TMiddlePan MiddlePan() const { return middlePan_; }
    void SetMiddlePan(TMiddlePan pan);
    // Points added to both fonts by Ctrl with the wheel, -10..+10.
    int zoomOffset() const { return painter_->zoom(); }

    // The wheel scroll-line count read at construction.
    int wheelScrollLines() const;
    bool isPanning() const;

    RecordGridPainter& painter() { return *painter_; }
    // Replaces the painter (a different look, or a test's counting one) and gives it the
    // grid's settings; repaints. Null is ignored.
    void setPainter(std::unique_ptr<RecordGridPainter> painter);

    // Cell geometry at the present scroll position, in viewport coordinates (viewport()). These
    // are not const: asking first catches up with the store (refitNow), so that the answer
    // matches what it holds.
    RecordGridGeometry cellGeometry();
    // The cell's whole rectangle; empty when no pixel of it is in view.
    QRect cellRect(GridCell cell);
    // The cell under a viewport point; none outside the cells.
    std::optional<GridCell> cellAt(QPoint viewportPoint);
    // The scrollable row and column shown right after the fixed ones.
    int firstVisibleRow();
    int firstVisibleCol();

    // Scrolls as little as needed to bring the cell wholly into view (as far as it fits).
    void scrollToCell(GridCell cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double-click: a press like the first.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    friend class RecordGridInput;

    void cellsChanged(const GridRect& cells) override;
    void layoutChanged() override;
    void selectionChanged() override;

    void updateScrollBars();
    void scheduleRefit();
    // Catches up with what the store reported since the last time, if anything: repaints,
    // refits the scroll bars, shows the current cell and tells assistive technology.
    void refitNow();
    RecordGridGeometry geometryAsScrolled() const;
    void repaintCells(const GridRect& cells);
    void repaintCurrentCell();
    // For the input: the current cell brought into view at the next refit, also when it did
    // not move; and a selection made without scrolling to its current cell.
    void showCurrentCell();
    void selectInPlace(GridCell anchor, GridCell current);

    // What the store reported since the last refit.
    struct StoreChanges {
        GridRect cells; // none while empty
        bool layout = false;
        bool selection = false;
    };

    RecordGridStore store_;
    std::unique_ptr<RecordGridPainter> painter_;
    GridRect paintedSelection_;
    StoreChanges changed_;
    bool refitPending_ = false;
    bool scrollPending_ = false;

    bool enableWheel_ = true;
    bool wheelZoom_ = true;
    TMiddlePan middlePan_ = mpVertical;
    RecordGridInput* input_ = nullptr; // a child: keys, mouse, wheel and pan mode
};
