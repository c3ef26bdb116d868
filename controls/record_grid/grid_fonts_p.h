#pragma once

#include <QFont>

// The grid's font as stored with the window: "Tahoma" with a character height of 11 pixels
// (8 points at 96 dots per inch), bold for the fixed cells. Registers the shipped faces first.
QFont storedGridFont(bool bold);

// The font drawn at its configured size plus zoomPoints points, at 96 dots per inch: 8 points
// and an offset of 3 give 11 points, 15 pixels. A size of 0 points or less is drawn at one
// pixel, so zooming out never makes the text larger again.
QFont zoomedFont(const QFont& configured, int zoomPoints);
