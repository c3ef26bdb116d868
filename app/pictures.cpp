#include "app/pictures.h"

#include "controls/common/glyph.h"

#include <QBitmap>
#include <QPainter>
#include <QPolygon>

#include <array>
#include <cmath>
#include <numbers>

namespace
{

constexpr QRgb kOrange = qRgb(255, 128, 0);

// Radii around the hole's centre, one per tooth, from a fixed sequence so the glyph is the same
// on every run.
struct TornEdge {
    static constexpr int kTeeth = 23;
    std::array<double, kTeeth> hole{};
    std::array<double, kTeeth> rim{};
    std::array<double, kTeeth> outer{};

    TornEdge()
    {
        unsigned state = 20240611u;
        auto jitter = [&state] {
            state = state * 1103515245u + 12345u;
            return static_cast<double>((state >> 16) % 1000) / 1000.0;
        };
        for (int i = 0; i < kTeeth; ++i) {
            outer[i] = 12.2 + (i % 2 ? 2.4 : 0.0) + jitter() * 1.6;
            rim[i] = outer[i] - 1.3 - jitter() * 2.0;
            hole[i] = std::min(rim[i] - 0.8, 9.6 + jitter() * 1.6);
        }
    }

    // The radius of one ring in the direction of (dx, dy), teeth joined by straight spikes.
    static double at(const std::array<double, kTeeth>& ring, double dx, double dy)
    {
        const double turn = (std::atan2(dy, dx) + std::numbers::pi) / (2 * std::numbers::pi);
        const double t = turn * kTeeth;
        const int i = static_cast<int>(std::floor(t)) % kTeeth;
        const double f = t - std::floor(t);
        return ring[i] * (1 - f) + ring[(i + 1) % kTeeth] * f;
    }
};

// The 16 standard colours of a 16-colour picture.
QList<QRgb> standardColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

} // namespace

QImage exitGlyphPicture(qreal ratio)
{
    const QSize size = (QSizeF(kExitGlyphSize) * ratio).toSize();
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(QColor::fromRgb(kOrange));
    static const TornEdge edge;
    const double cx = 16.0;
    const double cy = 16.5;
    // Each pixel takes the colour of the point at its middle, the edge being a shape, not a
    // picture: at any ratio it is as sharp as the screen.
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const double dx = (x + 0.5) / ratio - cx;
            const double dy = (y + 0.5) / ratio - cy;
            const double d = std::hypot(dx, dy);
            QRgb colour = kOrange;
            if (d < TornEdge::at(edge.hole, dx, dy))
                colour = qRgb(0, 0, 0);
            else if (d < TornEdge::at(edge.rim, dx, dy))
                colour = qRgb(128, 128, 128);
            else if (d < TornEdge::at(edge.outer, dx, dy))
                colour = qRgb(255, 255, 255);
            picture.setPixel(x, y, colour);
        }
    }
    return picture;
}

QImage programIconPicture()
{
    QImage canvas(32, 32, QImage::Format_RGB32);
    canvas.fill(qRgb(255, 0, 255));
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing, false);

    // The warehouse: walls, a roof and a wide door with crates inside.
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(3, 13, 25, 16);
    p.setBrush(QColor(128, 0, 0));
    p.drawPolygon(QPolygon({QPoint(1, 14), QPoint(16, 3), QPoint(30, 14)}));
    p.setBrush(QColor(0, 0, 128));
    p.drawRect(8, 18, 15, 11);
    p.setBrush(QColor(128, 128, 0));
    p.drawRect(10, 23, 5, 5);
    p.drawRect(16, 23, 5, 5);
    p.setBrush(QColor(255, 255, 0));
    p.drawRect(13, 19, 5, 4);

    // The wrench across the lower right corner.
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawPolygon(QPolygon({QPoint(17, 30), QPoint(26, 21), QPoint(28, 23), QPoint(19, 31)}));
    p.drawEllipse(QRect(24, 16, 7, 7));
    p.setBrush(QColor(255, 0, 255));
    p.drawRect(27, 16, 3, 3);
    p.end();

    return canvas.convertToFormat(QImage::Format_Indexed8, standardColours(),
                                  Qt::ThresholdDither | Qt::AvoidDither);
}

QIcon exitGlyph()
{
    return drawnGlyph(kExitGlyphSize, exitGlyphPicture);
}

QIcon programIcon()
{
    return QIcon(transparentGlyph(programIconPicture()));
}
