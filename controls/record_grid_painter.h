#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

#include <string_view>

class QPainter;
class QPalette;
class RecordGridGeometry;

// What decides the look of one cell besides its text.
struct RecordGridCellState {
    bool fixed = false;    // in a fixed row or column
    bool selected = false; // a normal cell inside the selection range
    bool current = false;  // the current cell (always selected as well)
};

// Paints the record grid's cells from the grid-wide settings; the grid widget only hands it
// the geometry of the moment. A plain class, so it can paint into any device, an image
// included.
//
// Colours that stand for system colours come from the palette given at painting: the window
// colour (normal cells, and the space past the last row and column) is QPalette::Base, the
// button face (fixed cells) QPalette::Button, the window-text colour QPalette::Text.
class RecordGridPainter
{
public:
    static constexpr QRgb kSelectionColor = 0xFFB6CAEA; // red 182, green 202, blue 234
    static constexpr QRgb kSelectionTextColor = 0xFF000000;
    static constexpr QRgb kGridLineColor = 0xFFC0C0C0;  // silver
    static constexpr QRgb kFixedLineColor = 0xFF808080; // grey

    // Fonts: "Tahoma" at a character height of 11 pixels, bold for the fixed cells, or the
    // nearest sans font where there is no Tahoma.
    RecordGridPainter();
    virtual ~RecordGridPainter() = default;

    QFont font() const { return font_; }
    void setFont(const QFont& font);
    QFont fixedFont() const { return fixedFont_; }
    void setFixedFont(const QFont& font);
    QColor selectionColor() const { return selectionColor_; }
    void setSelectionColor(const QColor& color) { selectionColor_ = color; }
    QColor selectionTextColor() const { return selectionTextColor_; }
    void setSelectionTextColor(const QColor& color) { selectionTextColor_ = color; }

    // Paints every visible cell that meets the exposed rectangle, each through paintCell, and
    // the window colour past the last column and below the last row. Touches only the cells
    // in view.
    void paint(QPainter& painter, const RecordGridGeometry& geometry, const QRect& exposed,
               const QPalette& palette) const;

    // Paints one cell completely inside its rectangle: background, the grid lines along its
    // right and bottom edges, and its text (bytes in the ANSI code page, decoded here). The
    // first baseline lies the font's Windows ascent below the text area's top, as Windows
    // places top-aligned text, so the accents of capitals stay inside the cell.
    virtual void paintCell(QPainter& painter, const QRect& rect, std::string_view text,
                           const RecordGridCellState& state, const QPalette& palette) const;

    // Where a cell's text goes: the cell less one pixel on every side, less two more on the
    // left, the right and the top.
    static QRect textRect(const QRect& cellRect);

private:
    QFont font_;
    QFont fixedFont_;
    // How much lower than Qt's the first baseline of a cell's text lies in each font.
    int fontDrop_ = 0;
    int fixedFontDrop_ = 0;
    QColor selectionColor_{kSelectionColor};
    QColor selectionTextColor_{kSelectionTextColor};
};
