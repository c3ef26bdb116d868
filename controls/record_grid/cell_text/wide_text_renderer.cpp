#include "controls/record_grid/cell_text/wide_text_renderer.h"

#include <cstdint>

QString WideTextRenderer::decode(std::string_view bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size() / 2));
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto high = static_cast<std::uint8_t>(bytes[i]);
        const auto low = static_cast<std::uint8_t>(bytes[i + 1]);
        out.append(QChar(static_cast<char16_t>((high << 8) | low)));
    }
    return out;
}

void WideTextRenderer::paint(QPainter& painter, const QRect& area,
                             std::string_view bytesAfterMarker, const CellFont& font,
                             const QColor& ink) const
{
    lines_.paint(painter, area, decode(bytesAfterMarker), font, ink);
}
