#pragma once

#include "controls/record_grid/cell_text/cell_font.h"

#include <QColor>
#include <QPalette>

// What a cell's text is drawn with besides its bytes: the cell's font and ink, the colour of
// links, the palette the system colour names stand for, and the fonts measured so far.
struct CellTextContext {
    const CellFont& font;
    QColor ink;
    QColor linkInk;
    const QPalette& palette;
    CellFontCache& fonts;
};
