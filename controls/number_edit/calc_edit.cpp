#include "calc_edit.h"

#include "error_sink.h"

TCalcEdit::TCalcEdit(QWidget* parent) : TCustomCalcEdit(parent) {}

void TCalcEdit::writeTextProperty(const QString& text)
{
    runGuarded([&] { SetText(text); });
}
