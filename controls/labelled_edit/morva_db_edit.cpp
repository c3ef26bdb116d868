#include "morva_db_edit.h"

#include <QFocusEvent>

TMorvaDBEdit::TMorvaDBEdit(QWidget* parent) : TDBEdit(parent), LabelledEdit(*this, false)
{
    // The data source fills the text once it is linked.
    setText(QString());
}

TMorvaDBEdit::~TMorvaDBEdit() = default;

void TMorvaDBEdit::focusInEvent(QFocusEvent* event)
{
    FocusGained(event->reason());
    TDBEdit::focusInEvent(event);
}

void TMorvaDBEdit::focusOutEvent(QFocusEvent* event)
{
    FocusLost(event->reason());
    TDBEdit::focusOutEvent(event);
}

void TMorvaDBEdit::moveEvent(QMoveEvent* event)
{
    PlaceCaptionLabel();
    TDBEdit::moveEvent(event);
}

void TMorvaDBEdit::paintEvent(QPaintEvent* event)
{
    TDBEdit::paintEvent(event);
    PaintCommentMarker();
}

void TMorvaDBEdit::changeEvent(QEvent* event)
{
    TDBEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        EnabledChanged();
}
