#pragma once

#include "controls/record_grid/cell_text/cell_text_context.h"
#include "controls/record_grid/cell_text/styled_text.h"
#include "controls/record_grid/cell_text/styled_text_layout.h"

#include <QRect>

#include <string_view>

class QPainter;

// The mark-up of a cell's text, read as follows:
// 1. "&amp;" becomes "&&", "&quot;" a double quote, and "&sect;", "&permil;", "&reg;",
//    "&copy;", "&para;", "&trade;", "&euro;" their characters of the code page, repeatedly
//    until none is left.
// 2. From a "<" to the next ">" is a tag, never shown; a "<" with no ">" after it hides the
//    rest. In the runs between tags "&nbsp;" becomes a space, "&lt;" a "<" and "&gt;" a ">".
// 3. Tags, their names in any case: B, I, U, S switch bold, italic, underline, strike-out on
//    and, after a slash, off; BR breaks the line; FONT with FACE, COLOR, SIZE and BGCOLOR
//    changes the face, text colour, size and background until /FONT restores the cell's;
//    A with a quoted HREF underlines up to /A in the link colour; SUB and SUP lower and raise
//    the text. An attribute is matched as a whole word, and its value is what stands between
//    the first pair of double quotes after its name. A colour is "#RRGGBB" or a colour name
//    in any case ("clRed", "clBtnFace"); SIZE 1 to 5 is 8, 10, 12, 14, 16 points and any
//    other whole number up to 1000 that many points. Other tags, and values that are none of
//    these, change nothing.
// 4. In runs a single "&" is not shown and underlines the character after it; "&&" shows "&".
//    Tabs and line-break characters are spaces.
// Bytes are Windows-1250, decoded here. Lines follow StyledTextLayout: the first line always,
// each further one while a line of the cell font still fits.
class MarkupRenderer
{
public:
    StyledText parse(std::string_view text, const CellTextContext& cell) const;

    void paint(QPainter& painter, const QRect& area, std::string_view text,
               const CellTextContext& cell) const;

private:
    StyledTextLayout layout_{StyledTextLayout::LineRule::FirstLineThenCellLines};
};
