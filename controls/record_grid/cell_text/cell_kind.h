#pragma once

#include <string_view>

// How a cell's text is drawn, decided by the text itself; the first rule that matches wins.
enum class CellKind {
    Empty,   // nothing to draw
    Formula, // begins with "=": drawn as plain text, the "=" included
    Wide,    // begins with "|\": 16-bit characters, high byte first
    Rich,    // begins with "{\": rich text
    Markup,  // mark-up enabled and "</", "<B" or "<I" anywhere, exactly in that case
    Plain,   // anything else
};

CellKind cellKind(std::string_view text, bool enableMarkup);

// The two bytes that open a wide or a rich text.
inline constexpr std::size_t kCellMarkerLength = 2;
