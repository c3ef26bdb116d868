#include "controls/common/glyph.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <map>
#include <utility>

namespace
{

class DrawnIconEngine : public QIconEngine
{
public:
    DrawnIconEngine(QSize size, GlyphDrawing draw) : size_(size), draw_(std::move(draw)) {}

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return fits(size) ? size_ : size_.scaled(size, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // size is in device pixels.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        QPixmap& drawn = drawings_[{scale, mode}];
        if (drawn.isNull())
            drawn = draw_(scale, mode);
        if (drawn.width() <= size.width() && drawn.height() <= size.height())
            return drawn;
        // Less room than the glyph needs: it shrinks to fit.
        QPixmap smaller = drawn.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        smaller.setDevicePixelRatio(scale);
        return smaller;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPixmap drawn = scaledPixmap(rect.size() * ratio, mode, state, ratio);
        const QSize shown = (drawn.deviceIndependentSize()).toSize();
        painter->drawPixmap(
            QRect(QPoint(), shown).translated(rect.center() - QRect(QPoint(), shown).center()),
            drawn);
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(size_, draw_); }
    QString key() const override { return QStringLiteral("naprawa.drawn"); }

private:
    bool fits(const QSize& size) const
    {
        return size_.width() <= size.width() && size_.height() <= size.height();
    }

    QSize size_;
    GlyphDrawing draw_;
    // Drawings made, one a ratio and mode: a glyph is painted far more often than a screen
    // changes.
    std::map<std::pair<qreal, int>, QPixmap> drawings_;
};

} // namespace

QPixmap transparentGlyph(const QImage& picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
    }
    QPixmap glyph = QPixmap::fromImage(image);
    glyph.setDevicePixelRatio(picture.devicePixelRatio());
    return glyph;
}

QIcon drawnIcon(QSize size, GlyphDrawing draw)
{
    return QIcon(new DrawnIconEngine(size, std::move(draw)));
}

QIcon drawnGlyph(QSize size, std::function<QImage(qreal ratio)> picture)
{
    return drawnIcon(size, [picture = std::move(picture)](qreal ratio, QIcon::Mode mode) {
        QImage drawn = picture(ratio);
        drawn.setDevicePixelRatio(ratio);
        const QPixmap glyph = transparentGlyph(drawn);
        if (mode == QIcon::Normal || mode == QIcon::Active)
            return glyph;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, glyph, &option);
    });
}
