#include "controls/record_grid/cell_text/ansi_text.h"

#include "runtime/ansi_code_page.h"

#include <cstdint>

QString decodeAnsi(std::string_view bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char b : bytes)
        out.append(QChar(static_cast<char16_t>(ansiToUnicode(static_cast<std::uint8_t>(b)))));
    return out;
}
