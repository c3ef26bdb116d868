#include "controls/record_grid/cell_text/plain_text_renderer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The longest head of the word that fits into width, at least one character, never splitting
// a surrogate pair.
qsizetype fittingHead(const QString& word, const CellFont& font, qreal width)
{
    qreal used = 0;
    qsizetype n = 0;
    while (n < word.size()) {
        const qsizetype step = word[n].isHighSurrogate() && n + 1 < word.size() ? 2 : 1;
        const qreal advance = step == 2 ? font.advance(word.mid(n, 2)) : font.advance(word[n]);
        if (n > 0 && used + advance > width)
            break;
        used += advance;
        n += step;
    }
    return n;
}

} // namespace

std::vector<PlainTextRenderer::Line>
PlainTextRenderer::layout(const QString& text, const CellFont& font, int width, int maxLines) const
{
    std::vector<Line> lines;
    if (maxLines <= 0)
        return lines;
    const qreal tabStop = 8.0 * font.averageCharWidth();
    Line line;
    qreal x = 0;
    // Right after a break between words: blanks there belong to the break, not the new line.
    bool afterSoftBreak = false;
    const auto endLine = [&](bool soft) {
        lines.push_back(std::move(line));
        line.clear();
        x = 0;
        afterSoftBreak = soft;
        return static_cast<int>(lines.size()) >= maxLines;
    };

    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (isLineBreak(c)) {
            i += c == u'\r' && i + 1 < n && text[i + 1] == u'\n' ? 2 : 1;
            if (endLine(false))
                return lines;
            continue;
        }
        if (isBlank(c)) {
            if (!(wordBreak_ && afterSoftBreak)) {
                if (c == u'\t')
                    x = (std::floor(x / tabStop) + 1) * tabStop;
                else
                    x += font.advance(c);
            }
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && !isLineBreak(text[end]) && !isBlank(text[end]))
            ++end;
        QString word = text.mid(i, end - i);
        i = end;
        if (!wordBreak_) {
            const qreal w = font.advance(word);
            line.push_back({std::move(word), x});
            x += w;
            continue;
        }
        while (!word.isEmpty()) {
            const qreal w = font.advance(word);
            const bool lineHasSomething = !line.empty() || x > 0;
            if (lineHasSomething && x + w > width) {
                if (endLine(true))
                    return lines;
                continue;
            }
            afterSoftBreak = false;
            if (w <= width || lineHasSomething) {
                line.push_back({std::move(word), x});
                x += w;
                break;
            }
            const qsizetype head = fittingHead(word, font, width);
            line.push_back({word.left(head), 0});
            word.remove(0, head);
            if (endLine(true))
                return lines;
        }
    }
    if (!line.empty() || lines.empty())
        lines.push_back(std::move(line));
    return lines;
}

int PlainTextRenderer::drawnLines(const CellFont& font, int height)
{
    if (height <= 0)
        return 0;
    return std::max(1, font.height() > 0 ? height / font.height() : 1);
}

void PlainTextRenderer::paint(QPainter& painter, const QRect& area, const QString& text,
                              const CellFont& font, const QColor& ink) const
{
    const int visible = drawnLines(font, area.height());
    if (visible <= 0 || area.width() <= 0 || text.isEmpty())
        return;
    const std::vector<Line> lines = layout(text, font, area.width(), visible);
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setPen(ink);
    int top = area.top();
    for (const Line& line : lines) {
        for (const Piece& piece : line)
            font.draw(painter, QPointF(area.left() + piece.x, top + font.ascent()), piece.text);
        top += font.height();
    }
    painter.restore();
}
