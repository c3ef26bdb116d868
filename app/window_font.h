#pragma once

class QWidget;

// Makes the window's font "MS Sans Serif" available: the free metric-compatible faces shipped
// for Windows programs (Debian's fonts-wine) are registered where installed, and "Tahoma", then
// the platform's sans font, stand in for it where not. Safe to call more than once.
void registerWindowFonts();

// Turns the widget's stored font size, in points at 96 dots per inch, into the pixel height
// that resolution gives (8 points: 11 pixels), so the fixed layout keeps its text at any
// screen resolution.
void applyStoredFontHeight(QWidget* widget);
