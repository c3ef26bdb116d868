#include "controls/record_grid/record_grid.h"

#include "controls/common/shipped_fonts.h"
#include "controls/record_grid/grid_fonts_p.h"
#include "controls/record_grid/record_grid_accessible_p.h"
#include "controls/record_grid/record_grid_keyboard_p.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr int kPlatformlessWheelLines = 3;

// The grid's interface while assistive technology listens; nullptr, at no cost, otherwise.
RecordGridAccessible* listeningReader(TRecordGrid* grid)
{
    return QAccessible::isActive() ? RecordGridAccessible::of(grid) : nullptr;
}
} // namespace

TRecordGrid::TRecordGrid(QWidget* parent)
    : QAbstractScrollArea(parent), paintedSelection_(store_.Selection())
{
    registerShippedFonts();
    installRecordGridAccessibility();
    painter_ = std::make_unique<RecordGridPainter>();
    const int lines = QApplication::wheelScrollLines();
    wheelLines_ = lines > 0 ? lines : kPlatformlessWheelLines;

    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Every pixel of the viewport is painted by the painter.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setObjectName(QStringLiteral("RecordGridViewport"));
    // The scroll bars belong to the grid: the wheel over them moves the current row too.
    verticalScrollBar()->installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);
    store_.setListener(this);
    updateScrollBars();
}

TRecordGrid::~TRecordGrid()
{
    store_.setListener(nullptr);
}

void TRecordGrid::setPainter(std::unique_ptr<RecordGridPainter> painter)
{
    if (!painter)
        return;
    painter->setFont(painter_->font());
    painter->setFixedFont(painter_->fixedFont());
    painter->setZoom(painter_->zoom());
    painter->setEnableMarkup(painter_->enableMarkup());
    painter->setSelectionColor(painter_->selectionColor());
    painter->setSelectionTextColor(painter_->selectionTextColor());
    painter->setGridLineColor(painter_->gridLineColor());
    painter_ = std::move(painter);
    viewport()->update();
}

void TRecordGrid::SetFont(const QFont& font)
{
    painter_->setFont(font);
    viewport()->update();
}

void TRecordGrid::SetFixedFont(const QFont& font)
{
    painter_->setFixedFont(font);
    viewport()->update();
}

void TRecordGrid::SetSelectionColor(const QColor& color)
{
    painter_->setSelectionColor(color);
    viewport()->update();
}

void TRecordGrid::SetSelectionTextColor(const QColor& color)
{
    painter_->setSelectionTextColor(color);
    viewport()->update();
}

void TRecordGrid::SetGridLineColor(const QColor& color)
{
    painter_->setGridLineColor(color);
    viewport()->update();
}

void TRecordGrid::SetEnableMarkup(bool on)
{
    painter_->setEnableMarkup(on);
    viewport()->update();
}

void TRecordGrid::SetMiddlePan(TMiddlePan pan)
{
    middlePan_ = pan;
    if (pan == mpNone)
        endPan();
}

RecordGridGeometry TRecordGrid::cellGeometry() const
{
    refitNow();
    return geometryAsScrolled();
}

RecordGridGeometry TRecordGrid::geometryAsScrolled() const
{
    return RecordGridGeometry(store_, viewport()->size(),
                              store_.FixedRows() + verticalScrollBar()->value(),
                              store_.FixedCols() + horizontalScrollBar()->value());
}

QRect TRecordGrid::cellRect(GridCell cell) const
{
    return cellGeometry().cellRect(cell);
}

std::optional<GridCell> TRecordGrid::cellAt(QPoint viewportPoint) const
{
    return cellGeometry().cellAt(viewportPoint);
}

int TRecordGrid::firstVisibleRow() const
{
    return cellGeometry().firstVisibleRow();
}
int TRecordGrid::firstVisibleCol() const
{
    return cellGeometry().firstVisibleCol();
}

void TRecordGrid::scrollToCell(GridCell cell)
{
    refitNow();
    const RecordGridGeometry g = geometryAsScrolled();
    verticalScrollBar()->setValue(g.firstRowShowing(cell.row) - store_.FixedRows());
    horizontalScrollBar()->setValue(g.firstColShowing(cell.col) - store_.FixedCols());
}

void TRecordGrid::updateScrollBars()
{
    const RecordGridGeometry g = geometryAsScrolled();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, g.maxFirstRow() - store_.FixedRows()));
    v->setSingleStep(1);
    v->setPageStep(std::max(1, g.fullyVisibleRows()));
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, g.maxFirstCol() - store_.FixedCols()));
    h->setSingleStep(1);
    h->setPageStep(std::max(1, g.fullyVisibleCols()));
}

void TRecordGrid::paintEvent(QPaintEvent* event)
{
    refitNow();
    QPainter p(viewport());
    painter_->paint(p, geometryAsScrolled(), event->rect(), palette(), hasFocus());
}

void TRecordGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TRecordGrid::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    // Scrolling is by whole rows and columns of any size: repaint rather than shift pixels.
    viewport()->update();
}

bool TRecordGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel &&
        (watched == verticalScrollBar() || watched == horizontalScrollBar())) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

// --- keyboard ---

void TRecordGrid::keyPressEvent(QKeyEvent* event)
{
    if (isPanning()) {
        endPan();
        event->accept();
        return;
    }
    const GridKeyMove move = gridKeyMove(cellGeometry(), event->key(), event->modifiers());
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
        const bool scrollWasPending = scrollPending_;
        store_.SetSelection({store_.FixedCols(), store_.FixedRows()}, move.current);
        scrollPending_ = scrollWasPending;
        return;
    }
    verticalScrollBar()->setValue(move.firstRow - store_.FixedRows());
    horizontalScrollBar()->setValue(move.firstCol - store_.FixedCols());
    if (move.scrollOnly)
        return;
    // A target that is the current cell already still collapses the range and is shown.
    store_.SetCurrentCell(move.current, move.extend);
    scrollPending_ = true;
    scheduleRefit();
}

// --- mouse ---

GridCell TRecordGrid::nearestCell(QPoint p) const
{
    const RecordGridGeometry g = cellGeometry();
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

void TRecordGrid::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (isPanning()) {
        endPan();
        return;
    }
    if (event->button() == Qt::MiddleButton) {
        if (middlePan_ == mpVertical && store_.RowCount() > store_.FixedRows())
            startPan(event->position().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const auto cell = cellAt(event->position().toPoint());
    if (!cell || cell->col < store_.FixedCols() || cell->row < store_.FixedRows())
        return;
    if (event->modifiers().testFlag(Qt::ShiftModifier))
        store_.SetSelection(*cell, store_.CurrentCell());
    else
        store_.SetCurrentCell(*cell);
    selecting_ = true;
    dragging_ = false;
    pressedCell_ = *cell;
}

void TRecordGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TRecordGrid::mouseMoveEvent(QMouseEvent* event)
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
    if (!(cell == store_.CurrentCell()))
        store_.SetCurrentCell(cell, true);
}

void TRecordGrid::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        selecting_ = false;
}

// --- wheel and zoom ---

void TRecordGrid::wheelEvent(QWheelEvent* event)
{
    event->accept();
    const int rotation = event->angleDelta().y();
    if (rotation == 0)
        return;
    const int towardsOperator = rotation < 0 ? 1 : -1;
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        if (wheelZoom_)
            zoomBy(towardsOperator * wheelLines_);
    } else if (enableWheel_) {
        GridCell target = store_.CurrentCell();
        target.row =
            std::clamp(target.row + towardsOperator * wheelLines_,
                       std::min(store_.FixedRows(), store_.RowCount() - 1), store_.RowCount() - 1);
        store_.SetCurrentCell(target);
    }
    wheelRotation_ += rotation;
    while (std::abs(wheelRotation_) >= kWheelNotch) {
        const int direction = wheelRotation_ < 0 ? 1 : -1;
        wheelRotation_ += direction * kWheelNotch;
        stepCurrentRow(direction);
    }
}

void TRecordGrid::zoomBy(int points)
{
    const int zoom = painter_->zoom() + points;
    if (points == 0 || zoom < -kMostZoom || zoom > kMostZoom)
        return;
    painter_->setZoom(zoom);
    store_.AddToColWidths(points);
    store_.AddToRowHeights(points);
    viewport()->update();
}

void TRecordGrid::stepCurrentRow(int direction)
{
    GridCell cell = store_.CurrentCell();
    const int firstNormal = std::min(store_.FixedRows(), store_.RowCount() - 1);
    if (direction > 0 && cell.row >= store_.RowCount() - 1)
        return;
    if (direction < 0 && cell.row <= firstNormal)
        return;
    cell.row += direction;
    store_.SetCurrentCell(cell);
}

// --- pan mode ---

void TRecordGrid::startPan(QPoint viewportPoint)
{
    panOrigin_ = viewportPoint;
    panPointer_ = viewportPoint;
    QWidget* view = viewport();
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
    connect(panTimer_, &QTimer::timeout, this, &TRecordGrid::panTick);
    panTimer_->start(kPanInterval);
}

void TRecordGrid::endPan()
{
    if (!panTimer_)
        return;
    delete panTimer_;
    panTimer_ = nullptr;
    QWidget* view = viewport();
    view->releaseMouse();
    view->setMouseTracking(trackingBeforePan_);
    if (cursorBeforePan_)
        view->setCursor(*cursorBeforePan_);
    else
        view->unsetCursor();
    cursorBeforePan_.reset();
}

void TRecordGrid::panTick()
{
    const int dy = panPointer_.y() - panOrigin_.y();
    PanDirection direction = PanDirection::Rest;
    if (dy > kPanDeadZone) {
        direction = PanDirection::Down;
        stepCurrentRow(1);
    } else if (dy < -kPanDeadZone) {
        direction = PanDirection::Up;
        stepCurrentRow(-1);
    }
    if (direction != panShown_) {
        panShown_ = direction;
        viewport()->setCursor(panCursor(direction));
    }
}

// --- focus ---

void TRecordGrid::repaintCurrentCell()
{
    const QRect r = geometryAsScrolled().cellRect(store_.CurrentCell());
    if (!r.isEmpty())
        viewport()->update(r);
}

void TRecordGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    repaintCurrentCell();
    if (QAccessible::isActive()) {
        // After the widget's own focus announcement, which would otherwise hide the cell's.
        QMetaObject::invokeMethod(
            this,
            [this] {
                RecordGridAccessible* reader = listeningReader(this);
                if (reader && hasFocus())
                    reader->focusGained();
            },
            Qt::QueuedConnection);
    }
}

void TRecordGrid::focusOutEvent(QFocusEvent* event)
{
    endPan();
    QAbstractScrollArea::focusOutEvent(event);
    repaintCurrentCell();
}

void TRecordGrid::hideEvent(QHideEvent* event)
{
    endPan();
    QAbstractScrollArea::hideEvent(event);
}

// --- the store ---

void TRecordGrid::cellsChanged(const GridRect& cells)
{
    const QRect area = geometryAsScrolled().cellsRect(cells);
    if (!area.isEmpty())
        viewport()->update(area);
    if (RecordGridAccessible* reader = listeningReader(this))
        reader->cellsChanged(cells);
}

void TRecordGrid::layoutChanged()
{
    viewport()->update();
    scheduleRefit();
    if (RecordGridAccessible* reader = listeningReader(this))
        reader->layoutChanged();
}

void TRecordGrid::selectionChanged()
{
    const RecordGridGeometry g = geometryAsScrolled();
    for (const QRect& area : {g.cellsRect(paintedSelection_), g.cellsRect(store_.Selection())})
        if (!area.isEmpty())
            viewport()->update(area);
    paintedSelection_ = store_.Selection();
    scrollPending_ = true;
    scheduleRefit();
    if (RecordGridAccessible* reader = listeningReader(this))
        reader->selectionChanged();
}

void TRecordGrid::scheduleRefit()
{
    if (refitPending_)
        return;
    refitPending_ = true;
    // Once per return to the event loop: a preview appending a million rows would otherwise
    // refit the scroll bars, and queue the scroll area's own relayout, a million times.
    QMetaObject::invokeMethod(
        this, [this] { refit(); }, Qt::QueuedConnection);
}

void TRecordGrid::refit()
{
    if (!refitPending_)
        return;
    refitPending_ = false;
    updateScrollBars();
    if (scrollPending_) {
        scrollPending_ = false;
        scrollToCell(store_.CurrentCell());
    }
}

void TRecordGrid::refitNow() const
{
    if (refitPending_)
        const_cast<TRecordGrid*>(this)->refit();
}
