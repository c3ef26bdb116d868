#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The pictures the window draws for itself.

// The exit button's glyph: 32 × 33 pixels, 24 bits per pixel, a round black hole with torn grey
// and white edges on orange (red 255, green 128, blue 0).
QImage exitGlyphPicture();

// The program's icon: 32 × 32 pixels in the 16 standard colours, a small warehouse with a
// wrench, on magenta that its bottom-left pixel makes transparent.
QImage programIconPicture();
QIcon programIcon();
