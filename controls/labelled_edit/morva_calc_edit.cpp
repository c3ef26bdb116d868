#include "controls/labelled_edit/morva_calc_edit.h"

TMorvaCalcEdit::TMorvaCalcEdit(QWidget* parent) : LabelledEditOn(parent, true)
{
    SetText(QString());
}

TMorvaCalcEdit::~TMorvaCalcEdit() = default;
