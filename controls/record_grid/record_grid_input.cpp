#include "controls/record_grid/record_grid_input_p.h"

#include "controls/record_grid/record_grid_keyboard_p.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr int kPlatformlessWheelLines = 3;
} // namespace

RecordGridInput::RecordGridInput(TRecordGrid& grid)
    : QObject(&grid), grid_(grid), store_(grid.store())
{
    const int lines = QApplication::wheelScrollLines();
    wheelLines_ = lines > 0 ? lines : kPlatformlessWheelLines;
    // The scroll bars belong to the grid: the wheel over them moves the current row too.
    grid_.verticalScrollBar()->installEventFilter(this);
    grid_.horizontalScrollBar()->installEventFilter(this);
}

bool RecordGridInput::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel &&
        (watched == grid_.verticalScrollBar() || watched == grid_.horizontalScrollBar())) {
        wheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// --- keyboard ---

void RecordGridInput::keyPress(QKeyEvent* event)
{
    if (isPanning()) {
        endPan();
        event->accept();
        return;
    }
    const GridKeyMove move = gridKeyMove(grid_.cellGeometry(), event->key(), event->modifiers());
    if (!move.handled) {
        // Editing, clipboard and typed keys do nothing here; Alt combinations stay the window's.
        if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier))
            event->ignore();
        else
            event->accept();
        return;
    }
    event->accept();
    if (move.selectAll) {
        grid_.selectInPlace({store_.FixedCols(), store_.FixedRows()}, move.current);
        return;
    }
    grid_.verticalScrollBar()->setValue(move.firstRow - store_.FixedRows());
    grid_.horizontalScrollBar()->setValue(move.firstCol - store_.FixedCols());
    if (move.scrollOnly)
        return;
    // A target that is the current cell already still collapses the range and is shown.
    store_.setCurrentCell(move.current, move.extend);
    grid_.showCurrentCell();
}

// --- mouse ---

GridCell RecordGridInput::nearestCell(QPoint p)
{
    const RecordGridGeometry g = grid_.cellGeometry();
    const QSize view = g.viewportSize();
    const int x = std::clamp(p.x(), g.fixedWidth(), std::max(g.fixedWidth(), view.width() - 1));
    const int y = std::clamp(p.y(), g.fixedHeight(), std::max(g.fixedHeight(), view.height() - 1));
    const auto column = g.cellAt({x, 0});
    const auto row = g.cellAt({0, y});
    const std::vector<int> cols = g.visibleCols();
    const std::vector<int> rows = g.visibleRows();
    return {column ? column->col : (cols.empty() ? 0 : cols.back()),
            row ? row->row : (rows.empty() ? 0 : rows.back())};
}

void RecordGridInput::mousePress(QMouseEvent* event)
{
    event->accept();
    if (isPanning()) {
        endPan();
        return;
    }
    if (event->button() == Qt::MiddleButton) {
        if (grid_.MiddlePan() == TRecordGrid::mpVertical && store_.RowCount() > store_.FixedRows())
            startPan(event->position().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const auto cell = grid_.cellAt(event->position().toPoint());
    if (!cell || cell->col < store_.FixedCols() || cell->row < store_.FixedRows())
        return;
    if (event->modifiers().testFlag(Qt::ShiftModifier))
        store_.SetSelection(*cell, store_.currentCell());
    else
        store_.setCurrentCell(*cell);
    selecting_ = true;
    dragging_ = false;
    pressedCell_ = *cell;
}

void RecordGridInput::mouseMove(QMouseEvent* event)
{
    event->accept();
    if (isPanning()) {
        panPointer_ = event->position().toPoint();
        return;
    }
    if (!selecting_ || !event->buttons().testFlag(Qt::LeftButton))
        return;
    const GridCell cell = nearestCell(event->position().toPoint());
    // A hand trembling inside the pressed cell is no drag yet.
    if (!dragging_ && cell == pressedCell_)
        return;
    dragging_ = true;
    if (!(cell == store_.currentCell()))
        store_.setCurrentCell(cell, true);
}

void RecordGridInput::mouseRelease(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        selecting_ = false;
}

// --- wheel and zoom ---

void RecordGridInput::wheel(QWheelEvent* event)
{
    event->accept();
    const int rotation = event->angleDelta().y();
    if (rotation == 0)
        return;
    const int towardsOperator = rotation < 0 ? 1 : -1;
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        if (grid_.WheelZoom())
            zoomBy(towardsOperator * wheelLines_);
    } else if (grid_.EnableWheel()) {
        GridCell target = store_.currentCell();
        target.row =
            std::clamp(target.row + towardsOperator * wheelLines_,
                       std::min(store_.FixedRows(), store_.RowCount() - 1), store_.RowCount() - 1);
        store_.setCurrentCell(target);
    }
    wheelRotation_ += rotation;
    while (std::abs(wheelRotation_) >= TRecordGrid::kWheelNotch) {
        const int direction = wheelRotation_ < 0 ? 1 : -1;
        wheelRotation_ += direction * TRecordGrid::kWheelNotch;
        stepCurrentRow(direction);
    }
}

void RecordGridInput::zoomBy(int points)
{
    RecordGridPainter& painter = grid_.painter();
    const int zoom = painter.zoom() + points;
    if (points == 0 || zoom < -TRecordGrid::kMostZoom || zoom > TRecordGrid::kMostZoom)
        return;
    painter.setZoom(zoom);
    store_.addToColWidths(points);
    store_.addToRowHeights(points);
    grid_.viewport()->update();
}

void RecordGridInput::stepCurrentRow(int direction)
{
    GridCell cell = store_.currentCell();
    const int firstNormal = std::min(store_.FixedRows(), store_.RowCount() - 1);
    if (direction > 0 && cell.row >= store_.RowCount() - 1)
        return;
    if (direction < 0 && cell.row <= firstNormal)
        return;
    cell.row += direction;
    store_.setCurrentCell(cell);
}

// --- pan mode ---

void RecordGridInput::startPan(QPoint viewportPoint)
{
    panOrigin_ = viewportPoint;
    panPointer_ = viewportPoint;
    QWidget* view = grid_.viewport();
    cursorBeforePan_.reset();
    if (view->testAttribute(Qt::WA_SetCursor))
        cursorBeforePan_ = view->cursor();
    trackingBeforePan_ = view->hasMouseTracking();
    view->setMouseTracking(true);
    panShown_ = PanDirection::Rest;
    view->setCursor(panCursor(panShown_));
    view->grabMouse();
    panTimer_ = new QTimer(this);
    panTimer_->setObjectName(QStringLiteral("PanTimer"));
    panTimer_->setTimerType(Qt::PreciseTimer);
    connect(panTimer_, &QTimer::timeout, this, &RecordGridInput::panTick);
    panTimer_->start(TRecordGrid::kPanInterval);
}

void RecordGridInput::endPan()
{
    if (!panTimer_)
        return;
    delete panTimer_;
    panTimer_ = nullptr;
    QWidget* view = grid_.viewport();
    view->releaseMouse();
    view->setMouseTracking(trackingBeforePan_);
    if (cursorBeforePan_)
        view->setCursor(*cursorBeforePan_);
    else
        view->unsetCursor();
    cursorBeforePan_.reset();
}

void RecordGridInput::panTick()
{
    const int dy = panPointer_.y() - panOrigin_.y();
    PanDirection direction = PanDirection::Rest;
    if (dy > TRecordGrid::kPanDeadZone) {
        direction = PanDirection::Down;
        stepCurrentRow(1);
    } else if (dy < -TRecordGrid::kPanDeadZone) {
        direction = PanDirection::Up;
        stepCurrentRow(-1);
    }
    if (direction != panShown_) {
        panShown_ = direction;
        grid_.viewport()->setCursor(panCursor(direction));
    }
}
