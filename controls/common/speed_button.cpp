#include "controls/common/speed_button.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

QSize TSpeedButton::glyphSize() const
{
    if (icon().isNull())
        return {0, 0};
    return icon().actualSize(iconSize());
}

int TSpeedButton::pressOffset() const
{
    return isDown() || isChecked() ? 1 : 0;
}

QRect TSpeedButton::glyphRect() const
{
    const QSize glyph = glyphSize();
    const QString caption = text();
    const int captionWidth =
        caption.isEmpty() ? 0 : fontMetrics().size(Qt::TextShowMnemonic, caption).width();
    const int spacing = glyph.isEmpty() || caption.isEmpty() ? 0 : kGlyphSpacing;
    const int left = (width() - (glyph.width() + spacing + captionWidth)) / 2;
    const int top = (height() - glyph.height()) / 2;
    return QRect(QPoint(left, top), glyph).translated(pressOffset(), pressOffset());
}

QRect TSpeedButton::captionRect() const
{
    const QRect glyph = glyphRect();
    const int spacing = glyph.isEmpty() || text().isEmpty() ? 0 : kGlyphSpacing;
    const QSize caption = fontMetrics().size(Qt::TextShowMnemonic, text());
    const int left = glyph.left() + glyph.width() + spacing;
    const int top = (height() - caption.height()) / 2 + pressOffset();
    return {QPoint(left, top), caption};
}

void TSpeedButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionToolButton frame;
    initStyleOption(&frame);
    // The style draws only the panel; glyph and caption are placed here, centred together.
    frame.text.clear();
    frame.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, frame);

    const QSize glyph = glyphSize();
    if (!glyph.isEmpty()) {
        const QPixmap pixmap =
            icon().pixmap(glyph, devicePixelRatio(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
        // At its own size: stretched by a fraction of a pixel (a 125 % screen) it would blur.
        painter.drawPixmap(glyphRect().topLeft(), pixmap);
    }
    if (!text().isEmpty())
        painter.drawItemText(captionRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                             palette(), isEnabled(), text(), QPalette::ButtonText);
}
