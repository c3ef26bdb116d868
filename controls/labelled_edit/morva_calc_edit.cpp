#include "morva_calc_edit.h"

#include <QFocusEvent>

TMorvaCalcEdit::TMorvaCalcEdit(QWidget* parent) : TCalcEdit(parent), LabelledEdit(*this, true)
{
    SetText(QString());
}

TMorvaCalcEdit::~TMorvaCalcEdit() = default;

void TMorvaCalcEdit::focusInEvent(QFocusEvent* event)
{
    FocusGained(event->reason());
    TCalcEdit::focusInEvent(event);
}

void TMorvaCalcEdit::focusOutEvent(QFocusEvent* event)
{
    FocusLost(event->reason());
    TCalcEdit::focusOutEvent(event);
}

void TMorvaCalcEdit::moveEvent(QMoveEvent* event)
{
    PlaceCaptionLabel();
    TCalcEdit::moveEvent(event);
}

void TMorvaCalcEdit::paintEvent(QPaintEvent* event)
{
    TCalcEdit::paintEvent(event);
    PaintCommentMarker();
}

void TMorvaCalcEdit::changeEvent(QEvent* event)
{
    TCalcEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        EnabledChanged();
}
