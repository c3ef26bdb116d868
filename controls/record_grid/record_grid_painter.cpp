#include "controls/record_grid/record_grid_painter.h"

#include "controls/common/tcolor.h"
#include "controls/record_grid/cell_text/ansi_text.h"
#include "controls/record_grid/cell_text/cell_kind.h"
#include "controls/record_grid/grid_fonts_p.h"
#include "controls/record_grid/record_grid_geometry.h"

#include <QPainter>
#include <QPalette>
#include <QPolygon>

#include <algorithm>

namespace
{

// As the system draws a focus rectangle: every other pixel of the outline inverted, so it
// shows on any background.
void drawFocusRect(QPainter& painter, const QRect& r)
{
    if (r.isEmpty())
        return;
    QPolygon dots;
    const auto dot = [&](int x, int y) {
        if (((x - r.left()) + (y - r.top())) % 2 == 0)
            dots << QPoint(x, y);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        if (r.bottom() != r.top())
            dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        if (r.right() != r.left())
            dot(r.right(), y);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawPoints(dots);
    painter.restore();
}

} // namespace

RecordGridPainter::RecordGridPainter()
    : font_(storedGridFont(false)), fixedFont_(storedGridFont(true))
{
    refreshFonts();
}

RecordGridPainter::~RecordGridPainter() = default;

void RecordGridPainter::setFont(const QFont& font)
{
    font_ = font;
    refreshFonts();
}

void RecordGridPainter::setFixedFont(const QFont& font)
{
    fixedFont_ = font;
    refreshFonts();
}

void RecordGridPainter::setZoom(int points)
{
    zoom_ = points;
    refreshFonts();
}

void RecordGridPainter::refreshFonts()
{
    drawnFont_ = std::make_unique<CellFont>(zoomedFont(font_, zoom_));
    drawnFixedFont_ = std::make_unique<CellFont>(zoomedFont(fixedFont_, zoom_));
}

QRect RecordGridPainter::textRect(const QRect& cellRect)
{
    return cellRect.adjusted(1 + 2, 1 + 2, -(1 + 2), -1);
}

QRect RecordGridPainter::focusRect(const QRect& cellRect)
{
    return cellRect.adjusted(0, 0, -1, -1);
}

void RecordGridPainter::paint(QPainter& painter, const RecordGridGeometry& geometry,
                              const QRect& exposed, const QPalette& palette, bool hasFocus) const
{
    const RecordGridStore& store = geometry.store();
    const GridRect selection = store.Selection();
    const GridCell current = store.currentCell();
    const std::vector<int> rows = geometry.visibleRows();
    const std::vector<int> cols = geometry.visibleCols();

    int cellsRight = 0;
    int cellsBottom = 0;
    for (const int row : rows) {
        for (const int col : cols) {
            const GridCell cell{col, row};
            const QRect rect = geometry.cellRect(cell);
            if (rect.isEmpty())
                continue;
            cellsRight = std::max(cellsRight, rect.right() + 1);
            cellsBottom = std::max(cellsBottom, rect.bottom() + 1);
            if (!rect.intersects(exposed))
                continue;
            RecordGridCellState state;
            state.fixed = col < store.FixedCols() || row < store.FixedRows();
            state.selected = !state.fixed && selection.contains(cell);
            state.current = !state.fixed && cell == current;
            state.focused = state.current && hasFocus;
            paintCell(painter, rect, store.cellText(col, row), state, palette);
        }
    }

    const QSize view = geometry.viewportSize();
    const QColor window = colorFromTColor(clWindow, palette);
    if (cellsRight < view.width())
        painter.fillRect(QRect(cellsRight, 0, view.width() - cellsRight, view.height()) & exposed,
                         window);
    if (cellsBottom < view.height())
        painter.fillRect(QRect(0, cellsBottom, cellsRight, view.height() - cellsBottom) & exposed,
                         window);
}

void RecordGridPainter::paintCell(QPainter& painter, const QRect& rect, std::string_view text,
                                  const RecordGridCellState& state, const QPalette& palette) const
{
    QColor background = colorFromTColor(clWindow, palette);
    QColor ink = colorFromTColor(clWindowText, palette);
    QColor line = gridLineColor_;
    QColor linkInk = QColor::fromRgb(kLinkColor);
    if (state.fixed) {
        background = colorFromTColor(clBtnFace, palette);
        line = colorFromTColor(clGray, palette);
    } else if (state.selected) {
        background = selectionColor_;
        ink = selectionTextColor_;
        linkInk = selectionTextColor_;
    }

    painter.fillRect(rect, background);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), line);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), line);
    paintText(painter, textRect(rect), text, state.fixed, ink, linkInk, palette);
    if (state.focused)
        drawFocusRect(painter, focusRect(rect));
}

void RecordGridPainter::paintText(QPainter& painter, const QRect& area, std::string_view text,
                                  bool fixed, const QColor& ink, const QColor& linkInk,
                                  const QPalette& palette) const
{
    if (area.isEmpty())
        return;
    const CellFont& font = fixed ? *drawnFixedFont_ : *drawnFont_;
    const CellTextContext cell{font, ink, linkInk, palette, fonts_};
    switch (cellKind(text, enableMarkup_)) {
    case CellKind::Empty:
        return;
    case CellKind::Formula:
    case CellKind::Plain:
        plain_.paint(painter, area, decodeAnsi(text), font, ink);
        return;
    case CellKind::Wide:
        wide_.paint(painter, area, text.substr(kCellMarkerLength), font, ink);
        return;
    case CellKind::Rich:
        rtf_.paint(painter, area, text, cell);
        return;
    case CellKind::Markup:
        markup_.paint(painter, area, text, cell);
        return;
    }
}

QString RecordGridPainter::shownText(std::string_view text, const QPalette& palette) const
{
    const CellTextContext cell{*drawnFont_, QColor(), QColor(), palette, fonts_};
    switch (cellKind(text, enableMarkup_)) {
    case CellKind::Empty:
        return {};
    case CellKind::Formula:
    case CellKind::Plain:
        return decodeAnsi(text);
    case CellKind::Wide:
        return WideTextRenderer::decode(text.substr(kCellMarkerLength));
    case CellKind::Rich:
        return rtf_.parse(text, cell).plainText();
    case CellKind::Markup:
        return markup_.parse(text, cell).plainText();
    }
    return {};
}
