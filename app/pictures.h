#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

// The pictures the window draws for itself.

inline constexpr QSize kExitGlyphSize{32, 33};

// The exit button's glyph: 32 × 33 pixels, 24 bits per pixel, a round black hole with torn grey
// and white edges on orange (red 255, green 128, blue 0). At another device pixel ratio the same
// shape in as many more pixels.
QImage exitGlyphPicture(qreal ratio = 1.0);
// The glyph as the exit button shows it, its orange transparent, drawn at the screen's ratio.
QIcon exitGlyph();

// The program's icon: 32 × 32 pixels in the 16 standard colours, a small warehouse with a
// wrench, on magenta that its bottom-left pixel makes transparent.
QImage programIconPicture();
QIcon programIcon();
