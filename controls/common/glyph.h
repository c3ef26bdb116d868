#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <functional>

// A glyph as it is painted: transparent wherever the picture has the colour of its bottom-left
// pixel, opaque elsewhere. A null picture gives a null glyph.
QPixmap transparentGlyph(const QImage& picture);

// Draws a glyph at a device pixel ratio in the look of an icon mode: a pixmap of the glyph's
// size times the ratio.
using GlyphDrawing = std::function<QPixmap(qreal ratio, QIcon::Mode mode)>;

// An icon drawn afresh at the device pixel ratio of the screen it is shown on, so that it stays
// sharp at 150 % or 200 % instead of being a 100 % picture blown up. size is its size at 1.
QIcon drawnIcon(QSize size, GlyphDrawing draw);

// The icon of a picture that can be drawn at any ratio (transparent as transparentGlyph says);
// disabled, it takes the style's greyed look.
QIcon drawnGlyph(QSize size, std::function<QImage(qreal ratio)> picture);
