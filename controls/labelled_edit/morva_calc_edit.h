#pragma once

#include "controls/labelled_edit/labelled_edit_on.h"
#include "controls/number_edit/calc_edit.h"

// The calculator edit (calc_edit.h) with the labelled edit family's caption label, background
// colours, label highlight and comment marker (labelled_edit.h). Entering, leaving, clicking,
// the caret and the selection are the calculator edit's own. The bounds the caption label is
// placed by are the whole field, its button included.
class TMorvaCalcEdit : public LabelledEditOn<TCalcEdit>
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

public:
    explicit TMorvaCalcEdit(QWidget* parent = nullptr);
    ~TMorvaCalcEdit() override;

    using LabelledEdit::EditLabelClActive;
    using LabelledEdit::HighlightTarget;
    using LabelledEdit::LinkToControlLabel;
    using LabelledEdit::SetEditLabelClActive;
    using LabelledEdit::SetLinkToControlLabel;
};
