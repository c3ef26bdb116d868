#pragma once

#include "controls/record_grid/cell_text/cell_text_context.h"
#include "controls/record_grid/cell_text/styled_text.h"
#include "controls/record_grid/cell_text/styled_text_layout.h"

#include <QRect>

#include <string_view>

class QPainter;

// Rich text in a small subset, drawn in the cell's font and ink:
// - groups "{...}" keep and restore the character formatting;
// - \b, \i, \ul, \strike switch bold, italic, underline and strike-out on, and with the
//   parameter 0 (\b0, \ul0) off; \ulnone switches underline off; \plain all four;
// - \par and \line break the line, \tab is a space;
// - \'hh is the byte hh of the code page, \uN the character N (negative N counted from 65536)
//   followed by \ucN (default 1) characters meant for readers without it, which are skipped;
// - \\, \{, \} are the characters themselves, \~ a no-break space, \_ a hyphen, \emdash,
//   \endash, \bullet, \lquote, \rquote, \ldblquote, \rdblquote their characters;
// - the groups of the font and colour tables, style sheet, document information, pictures,
//   objects, headers, footers, footnotes, field instructions, and every group opened with \*
//   are not shown; every other control word and control symbol is skipped;
// - line-break characters in the text are ignored, a tab character is a space; other bytes
//   are characters of the code page (Windows-1250).
// Sizes, faces and colours are not taken over. Lines wrap between words at the rectangle's
// right edge; as with plain text the first line is always drawn and each further one only
// when it lies wholly inside the rectangle. A missing closing brace ends nothing early; a
// surplus one is ignored.
class RtfRenderer
{
public:
    StyledText parse(std::string_view text, const CellTextContext& cell) const;

    void paint(QPainter& painter, const QRect& area, std::string_view text,
               const CellTextContext& cell) const;

private:
    StyledTextLayout layout_{StyledTextLayout::LineRule::FirstLineThenWholeLines};
};
