#include "controls/record_grid/pan_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace
{

constexpr int kSize = 32;
constexpr int kMiddle = kSize / 2;

QPainterPath arrow(bool up)
{
    // A triangle pointing away from the middle, its tip 2 pixels from the edge.
    const qreal tip = up ? 2 : kSize - 2;
    const qreal base = up ? 9 : kSize - 9;
    QPainterPath path;
    path.moveTo(kMiddle, tip);
    path.lineTo(kMiddle + 5, base);
    path.lineTo(kMiddle - 5, base);
    path.closeSubpath();
    return path;
}

QPixmap picture(PanDirection direction)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addEllipse(QPointF(kMiddle, kMiddle), 2.5, 2.5);
    if (direction != PanDirection::Down)
        shape.addPath(arrow(true));
    if (direction != PanDirection::Up)
        shape.addPath(arrow(false));
    const QPen outline(Qt::white, 2.0);
    if (direction == PanDirection::Rest) {
        // The ring says "press and move"; the moving pictures leave it out.
        p.setPen(QPen(Qt::white, 4.0));
        p.drawEllipse(QPointF(kMiddle, kMiddle), 6, 6);
        p.setPen(QPen(Qt::black, 1.5));
        p.drawEllipse(QPointF(kMiddle, kMiddle), 6, 6);
    }
    p.setPen(outline);
    p.setBrush(Qt::black);
    p.drawPath(shape);
    p.end();
    return pixmap;
}

} // namespace

QCursor panCursor(PanDirection direction)
{
    return QCursor(picture(direction), kMiddle, kMiddle);
}
