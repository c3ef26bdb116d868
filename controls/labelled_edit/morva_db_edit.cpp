#include "controls/labelled_edit/morva_db_edit.h"

TMorvaDBEdit::TMorvaDBEdit(QWidget* parent) : LabelledEditOn(parent, false)
{
    // The data source fills the text once it is linked.
    setText(QString());
}

TMorvaDBEdit::~TMorvaDBEdit() = default;
