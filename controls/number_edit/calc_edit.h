#pragma once

#include "controls/number_edit/custom_calc_edit.h"

// The calculator edit as a form stores it: every setting of the numeric edit is a property.
// Value, MinValue and MaxValue are extended precision in C++ and double to the property system.
// Writing Text through the property system reports a text that does not read as a number to
// the error display and leaves the field as it was.
class TCalcEdit : public TCustomCalcEdit
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE writeTextProperty)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(uint DecimalPlaces READ DecimalPlaces WRITE SetDecimalPlaces)
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)
    Q_PROPERTY(bool ZeroEmpty READ ZeroEmpty WRITE SetZeroEmpty)
    Q_PROPERTY(bool BeepOnError READ BeepOnError WRITE SetBeepOnError)
    Q_PROPERTY(bool CheckOnExit READ CheckOnExit WRITE SetCheckOnExit)
    Q_PROPERTY(bool FormatOnEditing READ FormatOnEditing WRITE SetFormatOnEditing)
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)

public:
    explicit TCalcEdit(QWidget* parent = nullptr);

private:
    void writeTextProperty(const QString& text);
};
