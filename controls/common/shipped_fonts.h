#pragma once

#include <QtGlobal>

class QFont;

// The font faces the window and its controls ask for ("MS Sans Serif" for the window, "Tahoma"
// and its bold face for the grid) are, on Linux, the free metric-compatible faces that Debian's
// fonts-wine installs for Windows programs, in a folder fontconfig does not search; on Windows
// the system's own, in its Fonts folder. registerShippedFonts() makes them available to Qt
// where installed (whichever platform plugin draws), and lets "Tahoma", then
// the platform's sans font, stand in for "MS Sans Serif" where it is not; where the faces are
// missing the controls fall back to the nearest sans font. Safe to call more than once; only
// the first call registers.
void registerShippedFonts();

// The window's layout is stored at 96 dots per inch. A size in points has this many pixels at
// that resolution, rounded to whole pixels as the system rounds them (8 points: 10.67, 11).
int pixelsOfPoints(double points);
// The other way: 11 pixels are 8.25 points.
double pointsOfPixels(int pixels);

// The font as the stored layout means it: a size in points becomes the pixel height it has at
// 96 dots per inch, so the fixed layout keeps its text at any screen resolution. Where
// "MS Sans Serif" is the system's own bitmap font (Windows), not fonts-wine's face, its
// scalable twin stands in ("Microsoft Sans Serif", else "Tahoma"). Any other font already sized
// in pixels comes back unchanged.
QFont atStoredResolution(const QFont& font);

// The font as drawn at a device pixel ratio (a screen scaled to 150 % has 1.5): the bitmap
// face of MS Sans Serif has no sizes but its own, so above 1 its scalable twin stands in and
// the text grows with the layout. At 1, and for any other face, the font comes back unchanged.
QFont atDevicePixelRatio(const QFont& font, qreal ratio);
