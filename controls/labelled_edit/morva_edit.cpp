#include "controls/labelled_edit/morva_edit.h"

#include "controls/input/single_line_input.h"

#include <QFocusEvent>
#include <QMouseEvent>

#include <utility>

namespace
{

bool isWindowSwitch(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

TMorvaEdit::TMorvaEdit(QWidget* parent) : LabelledEditOn(parent, true)
{
    new SingleLineInput(this);
    setText(QString());
}

TMorvaEdit::~TMorvaEdit() = default;

void TMorvaEdit::doEnter()
{
    clickedSinceEnter_ = false;
    if (cursorToStart_)
        caretToStart();
}

void TMorvaEdit::doExit()
{
    clickedSinceEnter_ = false;
}

void TMorvaEdit::Click()
{
    if (!clickedSinceEnter_ && cursorToStart_)
        caretToStart();
    clickedSinceEnter_ = true;
}

void TMorvaEdit::caretToStart()
{
    deselect();
    setCursorPosition(0);
}

void TMorvaEdit::focusInEvent(QFocusEvent* event)
{
    LabelledEditOn::focusInEvent(event);
    // A window coming back to the front, or a menu closing, does not enter the field again.
    if (entered_)
        return;
    entered_ = true;
    doEnter();
}

void TMorvaEdit::focusOutEvent(QFocusEvent* event)
{
    LabelledEditOn::focusOutEvent(event);
    if (!entered_ || isWindowSwitch(event->reason()))
        return;
    entered_ = false;
    doExit();
}

void TMorvaEdit::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLineEdit::mousePressEvent(event);
}

void TMorvaEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const bool click =
        std::exchange(pressed_, false) && rect().contains(event->position().toPoint());
    if (click)
        Click();
}
