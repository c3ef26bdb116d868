#include "controls/record_grid/cell_text/styled_text_layout.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

QFont drawnFont(const TextStyle& style)
{
    if (style.script == TextStyle::Script::Normal)
        return style.font;
    QFont smaller = style.font;
    const int size = style.font.pixelSize() > 0 ? style.font.pixelSize() : 11;
    smaller.setPixelSize(std::max(1, size * 2 / 3));
    return smaller;
}

// A stretch of one style that is either all spaces or holds none.
struct Atom {
    QString text;
    const TextStyle* style = nullptr;
    qreal width = 0;
};

class LineBuilder
{
public:
    LineBuilder(QSize area, const CellFont& cellFont, CellFontCache& fonts,
                StyledTextLayout::LineRule rule)
        : area_(area), cellFont_(cellFont), fonts_(fonts), rule_(rule)
    {
    }

    bool done() const { return done_; }
    std::vector<StyledTextLayout::Line> take() { return std::move(lines_); }

    qreal measure(const Atom& atom) const
    {
        return fonts_.get(drawnFont(*atom.style))->advance(atom.text);
    }

    void addSpaces(Atom atom) { pendingSpaces_.push_back(std::move(atom)); }

    void addWord(std::vector<Atom>& word)
    {
        if (word.empty() || done_)
            return;
        qreal width = 0;
        for (const Atom& a : word)
            width += a.width;
        qreal spaces = 0;
        for (const Atom& a : pendingSpaces_)
            spaces += a.width;
        if (hasWord_ && x_ + spaces + width > area_.width()) {
            pendingSpaces_.clear();
            finishLine();
            if (done_)
                return;
        }
        placePendingSpaces();
        for (Atom& a : word)
            place(std::move(a));
        word.clear();
        hasWord_ = true;
    }

    void breakLine()
    {
        placePendingSpaces();
        finishLine();
    }

    void finish()
    {
        placePendingSpaces();
        if (!line_.runs.empty() || lines_.empty())
            finishLine();
    }

private:
    void placePendingSpaces()
    {
        for (Atom& a : pendingSpaces_)
            place(std::move(a));
        pendingSpaces_.clear();
    }

    void place(Atom atom)
    {
        line_.runs.push_back({std::move(atom.text), *atom.style, x_, atom.width});
        x_ += atom.width;
    }

    void finishLine()
    {
        if (done_)
            return;
        int height = 0;
        int ascent = 0;
        for (const StyledTextLayout::PlacedRun& run : line_.runs) {
            const auto font = fonts_.get(run.style.font);
            height = std::max(height, font->height());
            ascent = std::max(ascent, font->ascent());
        }
        if (line_.runs.empty()) {
            height = cellFont_.height();
            ascent = cellFont_.ascent();
        }
        line_.top = top_;
        line_.height = height;
        line_.ascent = ascent;
        const bool first = lines_.empty();
        const int needed = rule_ == StyledTextLayout::LineRule::FirstLineThenCellLines
                               ? cellFont_.height()
                               : height;
        const bool drawn = first || top_ + needed <= area_.height();
        if (!drawn) {
            done_ = true;
            return;
        }
        top_ += height;
        lines_.push_back(std::move(line_));
        line_ = {};
        x_ = 0;
        hasWord_ = false;
        // Nothing below the rectangle can be drawn: stop laying out.
        if (top_ >= area_.height())
            done_ = true;
    }

    QSize area_;
    const CellFont& cellFont_;
    CellFontCache& fonts_;
    StyledTextLayout::LineRule rule_;
    std::vector<StyledTextLayout::Line> lines_;
    StyledTextLayout::Line line_;
    std::vector<Atom> pendingSpaces_;
    qreal x_ = 0;
    int top_ = 0;
    bool hasWord_ = false;
    bool done_ = false;
};

} // namespace

std::vector<StyledTextLayout::Line> StyledTextLayout::layout(const StyledText& text, QSize area,
                                                             const CellFont& cellFont,
                                                             CellFontCache& fonts) const
{
    LineBuilder builder(area, cellFont, fonts, rule_);
    std::vector<Atom> word;
    for (const StyledText::Run& run : text.runs()) {
        if (builder.done())
            break;
        if (run.lineBreak) {
            builder.addWord(word);
            builder.breakLine();
            continue;
        }
        const QString& s = run.text;
        qsizetype i = 0;
        while (i < s.size() && !builder.done()) {
            const bool spaces = s[i] == u' ';
            qsizetype end = i;
            while (end < s.size() && (s[end] == u' ') == spaces)
                ++end;
            Atom atom{s.mid(i, end - i), &run.style, 0};
            atom.width = builder.measure(atom);
            if (spaces) {
                builder.addWord(word);
                builder.addSpaces(std::move(atom));
            } else {
                word.push_back(std::move(atom));
            }
            i = end;
        }
    }
    builder.addWord(word);
    builder.finish();
    return builder.take();
}

void StyledTextLayout::paint(QPainter& painter, const QRect& area, const StyledText& text,
                             const CellFont& cellFont, CellFontCache& fonts) const
{
    if (area.isEmpty())
        return;
    const std::vector<Line> lines = layout(text, area.size(), cellFont, fonts);
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    for (const Line& line : lines) {
        const int top = area.top() + line.top;
        for (const PlacedRun& run : line.runs) {
            if (run.style.background.isValid())
                painter.fillRect(QRectF(area.left() + run.x, top, run.width, line.height),
                                 run.style.background);
            qreal baseline = top + line.ascent;
            if (run.style.script != TextStyle::Script::Normal) {
                const int ascent = fonts.get(run.style.font)->ascent();
                baseline +=
                    run.style.script == TextStyle::Script::Raised ? -ascent / 3.0 : ascent / 4.0;
            }
            painter.setPen(run.style.color);
            fonts.get(drawnFont(run.style))
                ->draw(painter, QPointF(area.left() + run.x, std::round(baseline)), run.text);
        }
    }
    painter.restore();
}
