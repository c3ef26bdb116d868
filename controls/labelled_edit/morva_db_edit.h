#pragma once

#include "controls/labelled_edit/db_edit.h"
#include "controls/labelled_edit/labelled_edit_on.h"

// The data-aware edit (db_edit.h) with the labelled edit family's caption label, background
// colours and comment marker (labelled_edit.h), but no label highlight: focus changes switch
// the background and never a label's text colour. Entering, leaving and clicking are the
// data-aware edit's own. Its caption label is a highlight target for the other members whose
// LinkToControlLabel names it. Enabled is stored also when true.
class TMorvaDBEdit : public LabelledEditOn<TDBEdit>
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled STORED true)
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
    Q_PROPERTY(bool Commented READ Commented WRITE SetCommented)

public:
    explicit TMorvaDBEdit(QWidget* parent = nullptr);
    ~TMorvaDBEdit() override;
};
