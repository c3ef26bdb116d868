#include "controls/number_edit/calc_edit.h"

#include "controls/common/error_sink.h"

TCalcEdit::TCalcEdit(QWidget* parent) : TCustomCalcEdit(parent) {}

void TCalcEdit::writeTextProperty(const QString& text)
{
    runGuarded([&] { SetText(text); });
}
