#include "controls/common/radio_group.h"

#include <QPainter>
#include <QRadioButton>
#include <QStyle>

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent) {}

QList<QRadioButton*> TRadioGroup::Items() const
{
    return findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

int TRadioGroup::ItemIndex() const
{
    const QList<QRadioButton*> items = Items();
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return static_cast<int>(i);
    return -1;
}

QRect TRadioGroup::frameRect() const
{
    const int top = fontMetrics().height() / 2 - 1;
    return {0, top, width(), height() - top};
}

QRect TRadioGroup::captionRect() const
{
    return {kCaptionIndent, 0, fontMetrics().horizontalAdvance(title()), fontMetrics().height()};
}

void TRadioGroup::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = frameRect();
    // Etched: a shadow line with a highlight line one pixel inside and below it.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(frame.adjusted(0, 0, -2, -2));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, -1, -1));

    if (title().isEmpty())
        return;
    const QRect caption = captionRect();
    painter.fillRect(caption, palette().color(QPalette::Window));
    style()->drawItemText(&painter, caption, Qt::AlignLeft | Qt::AlignTop, palette(), isEnabled(),
                          title(), QPalette::WindowText);
}
