#include "controls/labelled_edit/label.h"

TLabel::TLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(0);
    setIndent(0);
    font_ = TFont(font());
}

void TLabel::SetCaption(const QString& caption)
{
    setText(caption);
    adjustBounds();
}

void TLabel::SetLabelFont(const TFont& font)
{
    font_ = font;
    setFont(font.Font());
    SetFontColor(font.Color());
    adjustBounds();
}

void TLabel::SetFontColor(TColor color)
{
    font_.SetColor(color);
    // The disabled look keeps the palette's grey text.
    const QColor c = toQColor(color);
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::WindowText, c);
    p.setColor(QPalette::Inactive, QPalette::WindowText, c);
    setPalette(p);
}

void TLabel::SetAutoSize(bool on)
{
    autoSize_ = on;
    adjustBounds();
}

void TLabel::SetWordWrap(bool on)
{
    setWordWrap(on);
    adjustBounds();
}

void TLabel::adjustBounds()
{
    if (!autoSize_)
        return;
    if (wordWrap())
        resize(width(), heightForWidth(width()));
    else
        resize(sizeHint());
}
