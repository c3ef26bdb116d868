#include "controls/record_grid/cell_text/cell_kind.h"

CellKind cellKind(std::string_view text, bool enableMarkup)
{
    if (text.empty())
        return CellKind::Empty;
    if (text.front() == '=')
        return CellKind::Formula;
    if (text.starts_with("|\\"))
        return CellKind::Wide;
    if (text.starts_with("{\\"))
        return CellKind::Rich;
    if (enableMarkup &&
        (text.find("</") != std::string_view::npos || text.find("<B") != std::string_view::npos ||
         text.find("<I") != std::string_view::npos))
        return CellKind::Markup;
    return CellKind::Plain;
}
