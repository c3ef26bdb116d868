#pragma once

#include "controls/record_grid/cell_text/cell_font.h"
#include "controls/record_grid/cell_text/cell_text_context.h"

#include <QImage>
#include <QPalette>
#include <QRect>

#include <cstdint>
#include <string_view>

// What the cell text fuzz targets share: a headless application (made on first use), the
// grid's stored font, and an image to paint into.
class CellTextBench
{
public:
    static CellTextBench& instance();

    // A cell rectangle in the image, from a byte of the input: empty, a pixel, a narrow or a
    // usual cell, one that sticks out of the image.
    QRect area(std::uint8_t choice) const;

    CellFont font;
    CellFontCache fonts;
    QPalette palette;
    CellTextContext cell;
    QImage image;

private:
    CellTextBench();
};

// The bytes as a cell shows plain text: each in the code page, a tab or line break a space.
QString shownInCodePage(std::string_view bytes);
