#include "record_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

TRecordGrid::TRecordGrid(QWidget* parent)
    : QAbstractScrollArea(parent), painter_(std::make_unique<RecordGridPainter>()),
      paintedSelection_(store_.Selection())
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Every pixel of the viewport is painted by the painter.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setObjectName(QStringLiteral("RecordGridViewport"));
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
    painter_ = std::move(painter);
    viewport()->update();
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
    painter_->paint(p, geometryAsScrolled(), event->rect(), palette());
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

void TRecordGrid::keyPressEvent(QKeyEvent* event)
{
    GridCell target = store_.CurrentCell();
    switch (event->key()) {
    case Qt::Key_Left:
        --target.col;
        break;
    case Qt::Key_Right:
        ++target.col;
        break;
    case Qt::Key_Up:
        --target.row;
        break;
    case Qt::Key_Down:
        ++target.row;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    store_.SetCurrentCell(target, event->modifiers().testFlag(Qt::ShiftModifier));
    event->accept();
}

void TRecordGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const auto cell = cellAt(event->position().toPoint());
    if (cell && cell->col >= store_.FixedCols() && cell->row >= store_.FixedRows())
        store_.SetCurrentCell(*cell);
    event->accept();
}

void TRecordGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    event->accept();
}

void TRecordGrid::cellsChanged(const GridRect& cells)
{
    const QRect area = geometryAsScrolled().cellsRect(cells);
    if (!area.isEmpty())
        viewport()->update(area);
}

void TRecordGrid::layoutChanged()
{
    viewport()->update();
    scheduleRefit();
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
