#pragma once

#include "controls/record_grid/cell_text/cell_font.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

// Lays out and draws a cell's text the way the system's formatted-text call does with the flags
// word break, edit control, expand tabs, no prefix, left and top:
// - lines break at "\r\n", "\r" and "\n", and between words where the next word would pass the
//   right edge; the spaces and tabs at such a break are not carried to the next line;
// - a single word wider than the whole line is broken after the last character that fits, as an
//   edit control breaks it, and goes on on the next line (at least one character a line);
// - a tab advances to the next multiple of eight average character widths from the left edge;
// - "&" is a character like any other;
// - lines are drawn from the top: the first always, each further one only when it lies wholly
//   inside the rectangle; everything is clipped to the rectangle; no ellipsis. (The first line
//   too would be left out when it does not fit wholly, but then a zoomed-in grid, whose fonts
//   grow faster than its rows, would show no plain text at all.)
// Without word breaking (wide text) lines break at the line-break characters only.
class PlainTextRenderer
{
public:
    // A stretch of a line drawn in one call, x pixels from the rectangle's left edge.
    struct Piece {
        QString text;
        qreal x = 0;
        bool operator==(const Piece&) const = default;
    };
    using Line = std::vector<Piece>;

    explicit PlainTextRenderer(bool wordBreak = true) : wordBreak_(wordBreak) {}

    // The first maxLines lines of the text in a rectangle width pixels wide.
    std::vector<Line> layout(const QString& text, const CellFont& font, int width,
                             int maxLines) const;

    // Lines of the font drawn in a rectangle height pixels high: those that fit wholly, and
    // at least the first.
    static int drawnLines(const CellFont& font, int height);

    // Draws the text over what is there (no background) in the ink colour.
    void paint(QPainter& painter, const QRect& area, const QString& text, const CellFont& font,
               const QColor& ink) const;

private:
    bool wordBreak_;
};
