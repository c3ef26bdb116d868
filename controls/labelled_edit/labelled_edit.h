#pragma once

#include "controls/common/tcolor.h"
#include "controls/labelled_edit/caption_placement.h"
#include "controls/labelled_edit/label.h"
#include "controls/labelled_edit/tfont.h"

#include <QPointer>
#include <QRect>
#include <QString>

class QLineEdit;

// What the labelled edits (TMorvaEdit, TMorvaCalcEdit, TMorvaDBEdit) add to their base edit,
// written once. A member inherits it beside its base edit, publishes its settings as Qt
// properties and hands it the edit's focus, move, paint and enabled-change events.
//
// Caption label (CaptionLabel()): a TLabel that exists while EditLabel is not empty. It is made
// on the edit's parent of that moment and shown there; never a child of the edit, and without
// a parent (so never shown) when the edit had none. Moving the edit to another parent leaves it
// on the old one. The edit destroys it with itself; a label destroyed by anything else is
// forgotten and never used again, and the next non-empty EditLabel makes a new one.
//
// Placement (PlaceCaptionLabel): at each write of EditLabel (non-empty), EditLabelAlign,
// EditLabelWidth, EditLabelLeft, EditLabelTop and EditLabelFont, and at each move of the edit
// (its first showing included); nothing else places the label, not a resize of the edit, not a
// new parent, not a change made in place to EditLabelFont. A placement gives the label the
// caption EditLabel, a copy of EditLabelFont (colour included, so a highlight is gone), the edit
// as the target of its accelerator, its size and its place (captionLabelOrigin). Its size:
// EditLabelWidth > 0 fixes the width and wraps the text, the height fitting the wrapped text;
// otherwise it takes the size of its text, keeping its width once it wraps (word wrap, once on,
// stays on).
//
// Background (Color), set by events; the latest wins and nothing is derived from the state:
//   construction             clWindow, or ColorDisabled when the edit is created disabled
//   Enabled written          ColorNormal for true, ColorDisabled for false, also when unchanged
//   focus gained             ColorOnEnter
//   focus lost               ColorNormal, whether or not the edit is enabled
// The focus leaving for a pop-up menu and coming back from it is neither; a window losing and
// regaining activation is both. QWidget::setEnabled called on the edit counts as a write of
// Enabled when it changes the edit's own state; a parent disabling its children does not. The
// other colour settings take effect at the next such event. Qt moves the focus on from an edit
// that is disabled, so a focused edit written Enabled = false loses the focus at once and
// shows ColorNormal.
//
// Highlight (members that have one): when the edit gains the focus, the text colour of
// HighlightTarget() is saved and becomes EditLabelClActive; when it loses the focus, the target
// (looked up again) gets the saved colour back, also when the edit is destroyed with the focus.
//
// Comment marker: with Commented, after the base has painted, 10 red pixels in the top-left
// corner of the client area (the edit inside its frame): rows 1 to 4 hold 4, 3, 2 and 1 pixels
// from column 1 on. Row 0 and column 0 keep the base's painting.
//
// Failures in cosmetic work (placing, colouring, highlighting) are swallowed.
class LabelledEdit
{
public:
    using enum CaptionPlacement::TEditLabelAlign;

    // The family part of a member of the family; nullptr for any other object.
    static LabelledEdit* Of(QObject* control);

    // The edit's background.
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // The edit's enabled state; a write sets the background (see above), then the edit's
    // enabled state, then asks for a repaint. The caption label is never enabled or disabled.
    // (QWidget::setEnabled on the edit sets the state and, when it changes, the background.)
    bool Enabled() const;
    void SetEnabled(bool on);

    TColor ColorDisabled() const { return colorDisabled_; }
    void SetColorDisabled(TColor color) { colorDisabled_ = color; }
    TColor ColorOnEnter() const { return colorOnEnter_; }
    void SetColorOnEnter(TColor color) { colorOnEnter_ = color; }
    TColor ColorNormal() const { return colorNormal_; }
    void SetColorNormal(TColor color) { colorNormal_ = color; }

    // Free text for the application; the edit never reads or shows it.
    QString UserData() const { return userData_; }
    void SetUserData(const QString& text) { userData_ = text; }

    // The caption label's text as last written; empty: no caption label.
    QString EditLabel() const { return editLabel_; }
    void SetEditLabel(const QString& text);

    TEditLabelAlign EditLabelAlign() const { return align_; }
    void SetEditLabelAlign(TEditLabelAlign align);
    // Above 0: the caption label's fixed width, its text wrapped; 0 or less: sized to its text.
    int EditLabelWidth() const { return labelWidth_; }
    void SetEditLabelWidth(int width);
    // The offset from the edit's top-left corner, for elRelative only.
    int EditLabelLeft() const { return labelLeft_; }
    void SetEditLabelLeft(int left);
    int EditLabelTop() const { return labelTop_; }
    void SetEditLabelTop(int top);

    // The caption label's font, at first a copy of the edit's own font in the window-text
    // colour. A change made through the reference reaches the label at the next placement;
    // SetEditLabelFont copies every attribute and places the label.
    const TFont& EditLabelFont() const { return labelFont_; }
    TFont& EditLabelFont() { return labelFont_; }
    void SetEditLabelFont(const TFont& font);

    bool Commented() const { return commented_; }
    void SetCommented(bool on);

    // The caption label, or nullptr.
    TLabel* CaptionLabel() const { return captionLabel_; }

    // Makes or frees the caption label after EditLabel changed, and places it.
    void SyncCaptionLabel();
    void PlaceCaptionLabel();

    // The edit inside its frame, in the edit's coordinates: where the comment marker's
    // coordinates start.
    QRect clientArea() const;

protected:
    // highlights: whether focus changes recolour a caption label.
    LabelledEdit(QLineEdit& edit, bool highlights);
    virtual ~LabelledEdit();
    LabelledEdit(const LabelledEdit&) = delete;
    LabelledEdit& operator=(const LabelledEdit&) = delete;

    // --- the highlight, published by the members that have one ---

    // The text colour the highlight target gets while the edit has the focus.
    TColor EditLabelClActive() const { return colorActive_; }
    void SetEditLabelClActive(TColor color) { colorActive_ = color; }

    // Another control whose caption label is highlighted instead of the edit's own; not owned,
    // and cleared when that control is destroyed.
    QWidget* LinkToControlLabel() const { return link_; }
    void SetLinkToControlLabel(QWidget* control) { link_ = control; }

    // With LinkToControlLabel set: that member's caption label (maybe none), and none for a
    // control outside the family; without it: the edit's own caption label (maybe none).
    TLabel* HighlightTarget() const;

    // --- the member's event handlers call these ---

    // Before the base handles the focus event.
    void focusGained(Qt::FocusReason reason);
    void focusLost(Qt::FocusReason reason);
    // After the base handled QEvent::EnabledChange.
    void enabledChanged();
    // At the end of the member's paintEvent, after the base painted.
    void paintCommentMarker();

private:
    QLineEdit& edit_;
    const bool highlights_;

    TColor color_ = clWindow;
    TColor colorDisabled_ = clBtnFace;
    TColor colorOnEnter_ = clYellow;
    TColor colorNormal_ = clWindow;
    QString userData_;
    QString editLabel_;
    TEditLabelAlign align_ = CaptionPlacement::elTopLeft;
    int labelWidth_ = 0;
    int labelLeft_ = 0;
    int labelTop_ = 0;
    TFont labelFont_;
    TColor colorActive_ = clMaroon;
    QPointer<QWidget> link_;
    bool commented_ = false;

    QPointer<TLabel> captionLabel_;
    TColor savedLabelColor_ = clBlack;
    bool writingEnabled_ = false;
    bool ownDisabled_ = false;
};
