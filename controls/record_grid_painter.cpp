#include "record_grid_painter.h"

#include "ansi_code_page.h"
#include "record_grid_geometry.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QRawFont>

#include <algorithm>

namespace
{

QString decodeAnsi(std::string_view bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char b : bytes)
        out.append(QChar(static_cast<char16_t>(ansiToUnicode(static_cast<std::uint8_t>(b)))));
    return out;
}

QFont gridFont(bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

// Windows puts the baseline of top-aligned text the font's Windows ascent (usWinAscent of
// its OS/2 table) below the top; Qt's own ascent can be smaller, and then the accents of
// capitals (Ż, Ś) would stick out above the text area and be clipped.
int baselineDrop(const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.unitsPerEm() <= 0)
        return 0;
    const QByteArray os2 = raw.fontTable("OS/2");
    constexpr int kWinAscentAt = 74;
    if (os2.size() < kWinAscentAt + 2)
        return 0;
    const int winAscentUnits = (static_cast<std::uint8_t>(os2[kWinAscentAt]) << 8) |
                               static_cast<std::uint8_t>(os2[kWinAscentAt + 1]);
    const int winAscent = qRound(winAscentUnits * raw.pixelSize() / raw.unitsPerEm());
    return std::max(0, winAscent - QFontMetrics(font).ascent());
}

} // namespace

RecordGridPainter::RecordGridPainter()
{
    setFont(gridFont(false));
    setFixedFont(gridFont(true));
}

void RecordGridPainter::setFont(const QFont& font)
{
    font_ = font;
    fontDrop_ = baselineDrop(font);
}

void RecordGridPainter::setFixedFont(const QFont& font)
{
    fixedFont_ = font;
    fixedFontDrop_ = baselineDrop(font);
}

QRect RecordGridPainter::textRect(const QRect& cellRect)
{
    return cellRect.adjusted(1 + 2, 1 + 2, -(1 + 2), -1);
}

void RecordGridPainter::paint(QPainter& painter, const RecordGridGeometry& geometry,
                              const QRect& exposed, const QPalette& palette) const
{
    const RecordGridStore& store = geometry.store();
    const GridRect selection = store.Selection();
    const GridCell current = store.CurrentCell();
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
            paintCell(painter, rect, store.CellText(col, row), state, palette);
        }
    }

    const QSize view = geometry.viewportSize();
    const QColor window = palette.color(QPalette::Base);
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
    QColor background = palette.color(QPalette::Base);
    QColor ink = palette.color(QPalette::Text);
    QColor line = QColor::fromRgb(kGridLineColor);
    if (state.fixed) {
        background = palette.color(QPalette::Button);
        line = QColor::fromRgb(kFixedLineColor);
    } else if (state.selected) {
        background = selectionColor_;
        ink = selectionTextColor_;
    }

    painter.fillRect(rect, background);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), line);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), line);

    if (text.empty())
        return;
    const QRect area = textRect(rect);
    if (area.isEmpty())
        return;
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setFont(state.fixed ? fixedFont_ : font_);
    painter.setPen(ink);
    const int drop = state.fixed ? fixedFontDrop_ : fontDrop_;
    painter.drawText(area.adjusted(0, drop, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs,
                     decodeAnsi(text));
    painter.restore();
}
