#pragma once

#include "cell_font.h"
#include "cell_text_context.h"

#include <QImage>
#include <QPalette>
#include <QRect>

#include <cstdint>

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
