#pragma once

#include "controls/record_grid/cell_text/cell_font.h"
#include "controls/record_grid/cell_text/markup_renderer.h"
#include "controls/record_grid/cell_text/plain_text_renderer.h"
#include "controls/record_grid/cell_text/rtf_renderer.h"
#include "controls/record_grid/cell_text/wide_text_renderer.h"

#include <QColor>
#include <QFont>
#include <QRect>

#include <memory>
#include <string_view>

class QPainter;
class QPalette;
class RecordGridGeometry;

// What decides the look of one cell besides its text.
struct RecordGridCellState {
    bool fixed = false;    // in a fixed row or column
    bool selected = false; // a normal cell inside the selection range
    bool current = false;  // the current cell (always selected as well)
    bool focused = false;  // the current cell of a grid that has the keyboard focus
};

// Paints the record grid's cells from the grid-wide settings; the grid widget only hands it
// the geometry of the moment. A plain class, so it can paint into any device, an image
// included.
//
// A cell is filled with its background (button face when fixed, the selection colour when
// selected, the window colour otherwise), gets one-pixel lines inside its right and bottom
// edges (grey when fixed, silver otherwise), and its text is drawn by kind (cell_kind.h) into
// its text rectangle: plain and formula texts by PlainTextRenderer, wide texts by
// WideTextRenderer, rich texts by RtfRenderer, mark-up by MarkupRenderer, in the cell's font
// and ink (selection text colour when selected). The focused current cell gets a dotted focus
// rectangle: every other pixel of the cell's outline, less its lines, inverted.
//
// System colours come from the palette given at painting, as tcolor.h maps them.
class RecordGridPainter
{
public:
    static constexpr QRgb kSelectionColor = 0xFFB6CAEA; // red 182, green 202, blue 234
    static constexpr QRgb kSelectionTextColor = 0xFF000000;
    static constexpr QRgb kGridLineColor = 0xFFC0C0C0;  // silver
    static constexpr QRgb kFixedLineColor = 0xFF808080; // grey
    static constexpr QRgb kLinkColor = 0xFF0000FF;      // blue

    // Fonts as stored: "Tahoma" at a character height of 11 pixels, bold for the fixed cells,
    // or the nearest sans font where there is no Tahoma; zoom 0; mark-up on.
    RecordGridPainter();
    virtual ~RecordGridPainter();

    // The configured fonts; cells are drawn in them enlarged by the zoom offset.
    QFont font() const { return font_; }
    void setFont(const QFont& font);
    QFont fixedFont() const { return fixedFont_; }
    void setFixedFont(const QFont& font);
    // Points added to the size of both fonts.
    int zoom() const { return zoom_; }
    void setZoom(int points);
    // The fonts as drawn, zoom included.
    const CellFont& drawnFont() const { return *drawnFont_; }
    const CellFont& drawnFixedFont() const { return *drawnFixedFont_; }

    bool enableMarkup() const { return enableMarkup_; }
    void setEnableMarkup(bool on) { enableMarkup_ = on; }
    QColor selectionColor() const { return selectionColor_; }
    void setSelectionColor(const QColor& color) { selectionColor_ = color; }
    QColor selectionTextColor() const { return selectionTextColor_; }
    void setSelectionTextColor(const QColor& color) { selectionTextColor_ = color; }
    QColor gridLineColor() const { return gridLineColor_; }
    void setGridLineColor(const QColor& color) { gridLineColor_ = color; }

    // Paints every visible cell that meets the exposed rectangle, each through paintCell, and
    // the window colour past the last column and below the last row. Touches only the cells
    // in view. hasFocus: the grid has the keyboard focus.
    void paint(QPainter& painter, const RecordGridGeometry& geometry, const QRect& exposed,
               const QPalette& palette, bool hasFocus = false) const;

    // Paints one cell completely inside its rectangle. The text is bytes in the ANSI code
    // page, decoded where it is drawn.
    virtual void paintCell(QPainter& painter, const QRect& rect, std::string_view text,
                           const RecordGridCellState& state, const QPalette& palette) const;

    // Draws a cell's text by its kind over what is there.
    void paintText(QPainter& painter, const QRect& area, std::string_view text, bool fixed,
                   const QColor& ink, const QColor& linkInk, const QPalette& palette) const;

    // The characters a cell's text shows, as paintText reads them: decoded from the code page,
    // wide text from its 16-bit codes, mark-up and rich text without their tags and control
    // words ("\n" where a line is broken). Not cut to the lines that fit the cell.
    QString shownText(std::string_view text, const QPalette& palette) const;

    // Where a cell's text goes: the cell less one pixel on every side, less two more on the
    // left, the right and the top.
    static QRect textRect(const QRect& cellRect);
    // Where the focus rectangle goes: the cell less its right and bottom lines.
    static QRect focusRect(const QRect& cellRect);

private:
    void refreshFonts();

    QFont font_;
    QFont fixedFont_;
    int zoom_ = 0;
    std::unique_ptr<CellFont> drawnFont_;
    std::unique_ptr<CellFont> drawnFixedFont_;
    bool enableMarkup_ = true;
    QColor selectionColor_{kSelectionColor};
    QColor selectionTextColor_{kSelectionTextColor};
    QColor gridLineColor_{kGridLineColor};
    mutable CellFontCache fonts_;
    PlainTextRenderer plain_;
    WideTextRenderer wide_;
    MarkupRenderer markup_;
    RtfRenderer rtf_;
};
