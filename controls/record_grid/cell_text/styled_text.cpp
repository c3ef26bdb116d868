#include "controls/record_grid/cell_text/styled_text.h"

void StyledText::append(const QString& text, const TextStyle& style)
{
    if (text.isEmpty())
        return;
    if (!runs_.empty() && !runs_.back().lineBreak && runs_.back().style == style) {
        runs_.back().text += text;
        return;
    }
    runs_.push_back({text, style, false});
}

void StyledText::breakLine()
{
    runs_.push_back({QString(), TextStyle(), true});
}

QString StyledText::plainText() const
{
    QString out;
    for (const Run& run : runs_)
        out += run.lineBreak ? QStringLiteral("\n") : run.text;
    return out;
}
