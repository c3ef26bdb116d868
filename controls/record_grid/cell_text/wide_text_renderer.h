#pragma once

#include "controls/record_grid/cell_text/cell_font.h"
#include "controls/record_grid/cell_text/plain_text_renderer.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string_view>

class QPainter;

// Wide text: the bytes after the "|\" marker taken two at a time, the first the high byte and
// the second the low byte of a 16-bit character; an odd last byte is ignored. Drawn like plain
// text but without breaking between words: lines break only at line-break characters.
class WideTextRenderer
{
public:
    static QString decode(std::string_view bytesAfterMarker);

    void paint(QPainter& painter, const QRect& area, std::string_view bytesAfterMarker,
               const CellFont& font, const QColor& ink) const;

private:
    PlainTextRenderer lines_{false};
};
