#pragma once

#include "controls/labelled_edit/labelled_edit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMoveEvent>
#include <QPaintEvent>

class QWidget;

// A member of the labelled edit family on the base edit Edit: the family part beside it, and
// the edit's focus, move, paint and enabled-change events handed to it in the family's order
// (the colours and the highlight before the base handles a focus change, the label placed
// before the base handles a move, the comment marker after the base painted, the colours after
// the base changed its enabled state). A member adds its own Q_OBJECT, properties and hooks.
template <typename Edit> class LabelledEditOn : public Edit, public LabelledEdit
{
protected:
    // highlights: whether focus changes recolour a caption label.
    LabelledEditOn(QWidget* parent, bool highlights) : Edit(parent), LabelledEdit(*this, highlights)
    {
    }

    void focusInEvent(QFocusEvent* event) override
    {
        focusGained(event->reason());
        Edit::focusInEvent(event);
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        focusLost(event->reason());
        Edit::focusOutEvent(event);
    }

    void moveEvent(QMoveEvent* event) override
    {
        PlaceCaptionLabel();
        Edit::moveEvent(event);
    }

    void paintEvent(QPaintEvent* event) override
    {
        Edit::paintEvent(event);
        paintCommentMarker();
    }

    void changeEvent(QEvent* event) override
    {
        Edit::changeEvent(event);
        if (event->type() == QEvent::EnabledChange)
            enabledChanged();
    }
};
