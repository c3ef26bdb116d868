#include "controls/calculator/calc_button_p.h"

#include <QPainter>
#include <qdrawutil.h>

namespace
{

constexpr int kPressShownMs = 100;

} // namespace

TCalcButton::TCalcButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    release_.setSingleShot(true);
    release_.setInterval(kPressShownMs);
    connect(&release_, &QTimer::timeout, this, [this] { setDown(false); });
}

void TCalcButton::SetCaptionColor(const QColor& colour)
{
    captionColor_ = colour;
    update();
}

void TCalcButton::pressVisibly()
{
    setDown(true);
    repaint();
    release_.start();
}

void TCalcButton::mousePressEvent(QMouseEvent* event)
{
    // The press owns the down state from here; the typed key's release must not end it.
    release_.stop();
    QAbstractButton::mousePressEvent(event);
}

QSize TCalcButton::sizeHint() const
{
    return {21, 21};
}

void TCalcButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    const bool down = isDown();
    const QBrush face = pal.brush(QPalette::Button);
    qDrawWinButton(&p, rect(), pal, down, &face);
    QRect caption = rect();
    if (down)
        caption.translate(1, 1);
    QColor colour = captionColor_.isValid() ? captionColor_ : pal.color(QPalette::ButtonText);
    if (!isEnabled())
        colour = pal.color(QPalette::Disabled, QPalette::ButtonText);
    p.setPen(colour);
    p.setFont(font());
    p.drawText(caption, Qt::AlignCenter, text());
}
