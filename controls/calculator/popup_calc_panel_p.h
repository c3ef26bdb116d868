#pragma once

#include "controls/calculator/calculator_panel.h"

// The keypad as the drop-down calculator holds it: it fills its window inside a raised outer
// bevel, and neither it nor any of its buttons ever takes the focus, so that clicking it
// leaves the focus in the field that dropped it down.
class TPopupCalcPanel : public TCalculatorPanel
{
    Q_OBJECT

public:
    explicit TPopupCalcPanel(QWidget* parent = nullptr);
};
