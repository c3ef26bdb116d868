#pragma once

#include "controls/labelled_edit/labelled_edit_on.h"

#include <QLineEdit>

// A single-line edit (with Qt's input mask for a masked field) with the labelled edit family's
// caption label, background colours, label highlight and comment marker (labelled_edit.h).
// Pasted, dropped and input-method text is cut at its first line break and Alt with a
// character types nothing, as in every single-line field (single_line_input.h). One addition of
// its own:
//
// CursorToStart: entering the field, by keyboard or by mouse, leaves the caret at position 0
// with nothing selected (undoing the selection the edit makes on entry), and so does the first
// click after each entry (the click that entered the field, or the first one after entering by
// keyboard); from the second click on, clicks place the caret as usual until the field is left.
// Off, the caret and selection are the line edit's own. A click is a left-button release
// inside the edit after a press in it.
class TMorvaEdit : public LabelledEditOn<QLineEdit>
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled STORED false)
    Q_PROPERTY(TColor ColorDisabled READ ColorDisabled WRITE SetColorDisabled)
    Q_PROPERTY(TColor ColorOnEnter READ ColorOnEnter WRITE SetColorOnEnter)
    Q_PROPERTY(TColor ColorNormal READ ColorNormal WRITE SetColorNormal)
    Q_PROPERTY(QString UserData READ UserData WRITE SetUserData)
    Q_PROPERTY(QString EditLabel READ EditLabel WRITE SetEditLabel)
    Q_PROPERTY(CaptionPlacement::TEditLabelAlign EditLabelAlign READ EditLabelAlign WRITE
                   SetEditLabelAlign)
    Q_PROPERTY(int EditLabelWidth READ EditLabelWidth WRITE SetEditLabelWidth)
    Q_PROPERTY(int EditLabelLeft READ EditLabelLeft WRITE SetEditLabelLeft)
    Q_PROPERTY(int EditLabelTop READ EditLabelTop WRITE SetEditLabelTop)
    Q_PROPERTY(TFont EditLabelFont READ EditLabelFont WRITE SetEditLabelFont)
    Q_PROPERTY(TColor EditLabelClActive READ EditLabelClActive WRITE SetEditLabelClActive)
    Q_PROPERTY(QWidget* LinkToControlLabel READ LinkToControlLabel WRITE SetLinkToControlLabel)
    Q_PROPERTY(bool Commented READ Commented WRITE SetCommented)
    Q_PROPERTY(bool CursorToStart READ CursorToStart WRITE SetCursorToStart)

public:
    explicit TMorvaEdit(QWidget* parent = nullptr);
    ~TMorvaEdit() override;

    using LabelledEdit::EditLabelClActive;
    using LabelledEdit::HighlightTarget;
    using LabelledEdit::LinkToControlLabel;
    using LabelledEdit::SetEditLabelClActive;
    using LabelledEdit::SetLinkToControlLabel;

    bool CursorToStart() const { return cursorToStart_; }
    void SetCursorToStart(bool on) { cursorToStart_ = on; }

protected:
    // The framework's enter, exit and click hooks.
    virtual void doEnter();
    virtual void doExit();
    virtual void Click();

    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void caretToStart();

    bool cursorToStart_ = false;
    bool clickedSinceEnter_ = false;
    bool entered_ = false;
    bool pressed_ = false;
};
