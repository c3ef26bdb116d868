#include "controls/record_grid/cell_text/cell_font.h"

#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{

constexpr std::size_t kMostCachedFonts = 64;

struct WinMetrics {
    double ascent = 0;
    double descent = 0;
    bool valid = false;
};

WinMetrics winMetrics(const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.unitsPerEm() <= 0)
        return {};
    const QByteArray os2 = raw.fontTable("OS/2");
    constexpr int kWinAscentAt = 74;
    constexpr int kWinDescentAt = 76;
    if (os2.size() < kWinDescentAt + 2)
        return {};
    const auto u16 = [&](int at) {
        return (static_cast<std::uint8_t>(os2[at]) << 8) | static_cast<std::uint8_t>(os2[at + 1]);
    };
    const double scale = raw.pixelSize() / raw.unitsPerEm();
    return {u16(kWinAscentAt) * scale, u16(kWinDescentAt) * scale, true};
}

// The width of the stem of "l": how heavy the face's strokes are.
qreal stemWidth(const QRawFont& raw)
{
    const QList<quint32> glyphs = raw.glyphIndexesForString(QStringLiteral("l"));
    if (glyphs.isEmpty() || glyphs.front() == 0)
        return 0;
    return raw.pathForGlyph(glyphs.front()).boundingRect().width();
}

bool boldFaceLooksRegular(const QFont& font)
{
    if (!font.bold())
        return false;
    QFont regular = font;
    regular.setBold(false);
    const QRawFont bold = QRawFont::fromFont(font);
    const QRawFont plain = QRawFont::fromFont(regular);
    if (!bold.isValid() || !plain.isValid())
        return false;
    // Where there is no bold face Qt emboldens the regular one itself.
    if (bold.styleName() == plain.styleName())
        return false;
    const qreal boldStem = stemWidth(bold);
    const qreal plainStem = stemWidth(plain);
    constexpr qreal kHeavier = 1.25;
    return boldStem > 0 && plainStem > 0 && boldStem < plainStem * kHeavier;
}

} // namespace

CellFont::CellFont(const QFont& font) : font_(font), metrics_(font)
{
    const WinMetrics win = winMetrics(font);
    if (win.valid) {
        ascent_ = static_cast<int>(std::lround(win.ascent));
        descent_ = static_cast<int>(std::lround(win.descent));
    } else {
        ascent_ = static_cast<int>(std::ceil(metrics_.ascent()));
        descent_ = static_cast<int>(std::ceil(metrics_.descent()));
    }
    // An edit control takes the extent of the alphabet in both cases, halves it per letter and
    // rounds.
    const qreal letters = metrics_.horizontalAdvance(
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    averageCharWidth_ = std::max(1, (static_cast<int>(letters) / 26 + 1) / 2);
    overstruck_ = boldFaceLooksRegular(font);
}

void CellFont::draw(QPainter& painter, QPointF baseline, const QString& text) const
{
    painter.setFont(font_);
    painter.drawText(baseline, text);
    if (overstruck_)
        painter.drawText(baseline + QPointF(1, 0), text);
}

std::shared_ptr<const CellFont> CellFontCache::get(const QFont& font)
{
    const QString key = font.key();
    const auto found = fonts_.find(key);
    if (found != fonts_.end())
        return found->second;
    // Mark-up can name any face and size; a cell full of them must not grow the cache for good.
    if (fonts_.size() >= kMostCachedFonts)
        fonts_.clear();
    return fonts_.emplace(key, std::make_shared<const CellFont>(font)).first->second;
}
