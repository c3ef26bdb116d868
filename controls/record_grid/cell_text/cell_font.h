#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QString>

#include <memory>
#include <unordered_map>

class QPainter;

// A font with the measures the grid's text layout works in: the line height and ascent the
// Windows text calls use (from the font's OS/2 table, usWinAscent and usWinDescent, falling
// back to Qt's own measures), and the average character width of an edit control.
//
// A bold face whose strokes are no heavier than its regular face's (the Tahoma Bold shipped
// with fonts-wine is one) keeps its own widths but is drawn overstruck by one pixel, the way
// the system draws a bold it has to simulate; otherwise bold text would not look bold.
class CellFont
{
public:
    explicit CellFont(const QFont& font);

    const QFont& font() const { return font_; }
    // The baseline lies this far below a line's top.
    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    // One line of text: ascent plus descent.
    int height() const { return ascent_ + descent_; }
    // The mean width of the 52 letters A-Z and a-z, rounded: what tab stops are counted in.
    int averageCharWidth() const { return averageCharWidth_; }

    qreal advance(const QString& text) const { return metrics_.horizontalAdvance(text); }
    qreal advance(QChar ch) const { return metrics_.horizontalAdvance(ch); }

    bool overstruck() const { return overstruck_; }
    // Draws the text in this font with its baseline starting at the point, in the painter's pen.
    void draw(QPainter& painter, QPointF baseline, const QString& text) const;

private:
    QFont font_;
    QFontMetricsF metrics_;
    int ascent_ = 0;
    int descent_ = 0;
    int averageCharWidth_ = 1;
    bool overstruck_ = false;
};

// CellFonts by font, built on first use: measuring a font reads its tables, which is too slow
// to do for every cell painted. Holds a bounded number of fonts; what get() returned stays
// valid for as long as the caller keeps it.
class CellFontCache
{
public:
    std::shared_ptr<const CellFont> get(const QFont& font);

private:
    std::unordered_map<QString, std::shared_ptr<const CellFont>> fonts_;
};
