#pragma once

#include <QImage>
#include <QPixmap>

// A glyph as it is painted: transparent wherever the picture has the colour of its bottom-left
// pixel, opaque elsewhere. A null picture gives a null glyph.
QPixmap transparentGlyph(const QImage& picture);
