#pragma once

#include "controls/record_grid/cell_text/cell_font.h"
#include "controls/record_grid/cell_text/styled_text.h"

#include <QRect>

#include <vector>

class QPainter;

// Lays out and draws styled text in a cell's text rectangle: word by word from the top left, a
// word that would pass the right edge starting a new line (a word alone on its line stays there
// and is clipped), a line break starting one too. Each line is as high as its tallest run and
// its baseline lies the tallest ascent below its top. Lowered and raised runs are drawn at two
// thirds of their size below or above the baseline. Nothing outside the rectangle is drawn.
class StyledTextLayout
{
public:
    enum class LineRule {
        // The first line always; each further line only while a line of the cell font still
        // fits above the bottom of the rectangle.
        FirstLineThenCellLines,
        // The first line always; each further line only when it lies wholly inside.
        FirstLineThenWholeLines,
    };

    struct PlacedRun {
        QString text;
        TextStyle style;
        qreal x = 0; // from the rectangle's left edge
        qreal width = 0;
    };
    struct Line {
        std::vector<PlacedRun> runs;
        int top = 0; // from the rectangle's top edge
        int height = 0;
        int ascent = 0;
    };

    explicit StyledTextLayout(LineRule rule) : rule_(rule) {}

    // The lines that are drawn, in order; those the line rule leaves out are not laid out.
    std::vector<Line> layout(const StyledText& text, QSize area, const CellFont& cellFont,
                             CellFontCache& fonts) const;

    void paint(QPainter& painter, const QRect& area, const StyledText& text,
               const CellFont& cellFont, CellFontCache& fonts) const;

private:
    LineRule rule_;
};
