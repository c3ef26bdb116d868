#include "controls/record_grid/record_grid.h"

#include "controls/common/shipped_fonts.h"
#include "controls/record_grid/grid_fonts_p.h"
#include "controls/record_grid/record_grid_accessible_p.h"
#include "controls/record_grid/record_grid_input_p.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace
{

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

    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Every pixel of the viewport is painted by the painter.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setObjectName(QStringLiteral("RecordGridViewport"));
    input_ = new RecordGridInput(*this);
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
        input_->endPan();
}

int TRecordGrid::wheelScrollLines() const
{
    return input_->wheelScrollLines();
}

bool TRecordGrid::isPanning() const
{
    return input_->isPanning();
}

RecordGridGeometry TRecordGrid::cellGeometry()
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

QRect TRecordGrid::cellRect(GridCell cell)
{
    return cellGeometry().cellRect(cell);
}

std::optional<GridCell> TRecordGrid::cellAt(QPoint viewportPoint)
{
    return cellGeometry().cellAt(viewportPoint);
}

int TRecordGrid::firstVisibleRow()
{
    return cellGeometry().firstVisibleRow();
}
int TRecordGrid::firstVisibleCol()
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

// --- input, handed to the controller ---

void TRecordGrid::keyPressEvent(QKeyEvent* event)
{
    input_->keyPress(event);
}

void TRecordGrid::mousePressEvent(QMouseEvent* event)
{
    input_->mousePress(event);
}

void TRecordGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    input_->mousePress(event);
}

void TRecordGrid::mouseMoveEvent(QMouseEvent* event)
{
    input_->mouseMove(event);
}

void TRecordGrid::mouseReleaseEvent(QMouseEvent* event)
{
    input_->mouseRelease(event);
}

void TRecordGrid::wheelEvent(QWheelEvent* event)
{
    input_->wheel(event);
}

void TRecordGrid::showCurrentCell()
{
    scrollPending_ = true;
    scheduleRefit();
}

void TRecordGrid::selectInPlace(GridCell anchor, GridCell current)
{
    const bool scrollWasPending = scrollPending_;
    store_.SetSelection(anchor, current);
    scrollPending_ = scrollWasPending;
}

// --- focus ---

void TRecordGrid::repaintCurrentCell()
{
    const QRect r = geometryAsScrolled().cellRect(store_.currentCell());
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
    input_->focusLost();
    QAbstractScrollArea::focusOutEvent(event);
    repaintCurrentCell();
}

void TRecordGrid::hideEvent(QHideEvent* event)
{
    input_->hidden();
    QAbstractScrollArea::hideEvent(event);
}

// --- the store ---

// The store's reports are only gathered here, a few comparisons each: a preview filling a
// million rows makes millions of them, and the refit deals with them all at once.
void TRecordGrid::cellsChanged(const GridRect& cells)
{
    changed_.cells = changed_.cells.united(cells);
    scheduleRefit();
}

void TRecordGrid::layoutChanged()
{
    changed_.layout = true;
    scheduleRefit();
}

void TRecordGrid::selectionChanged()
{
    changed_.selection = true;
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
        this, [this] { refitNow(); }, Qt::QueuedConnection);
}

void TRecordGrid::refitNow()
{
    if (!refitPending_)
        return;
    refitPending_ = false;
    const StoreChanges changed = std::exchange(changed_, StoreChanges{});
    if (changed.layout) {
        viewport()->update();
        updateScrollBars();
    } else {
        repaintCells(changed.cells);
        if (changed.selection) {
            repaintCells(paintedSelection_);
            repaintCells(store_.Selection());
        }
    }
    paintedSelection_ = store_.Selection();
    if (scrollPending_) {
        scrollPending_ = false;
        scrollToCell(store_.currentCell());
    }
    if (RecordGridAccessible* reader = listeningReader(this)) {
        if (changed.layout)
            reader->layoutChanged();
        if (!changed.cells.isEmpty())
            reader->cellsChanged(changed.cells);
        if (changed.selection)
            reader->selectionChanged();
    }
}

void TRecordGrid::repaintCells(const GridRect& cells)
{
    const QRect area = geometryAsScrolled().cellsRect(cells);
    if (!area.isEmpty())
        viewport()->update(area);
}
