#pragma once

#include "custom_number_edit.h"

// The numeric edit with a drop-down calculator under its button.
//
// The button is 20 pixels wide and shows CalculatorGlyph(); ClickKey is Alt+Down, a drop-down
// stands with its right edge on the field's right edge, and the text has no length limit.
//
// The calculator window goes in through SetPopup(); from then on the button and ClickKey drop
// it down or close it with acceptance, PopupDropDown() starts it from the text, AcceptValue()
// takes its result into the text, and PopupKeyPress() and PopupDisplayText() serve the key
// filter and the painting while it is open. Without it, the button and ClickKey do nothing.
class TCustomCalcEdit : public TCustomNumberEdit
{
    Q_OBJECT

public:
    explicit TCustomCalcEdit(QWidget* parent = nullptr);

    // The button's two images side by side, 28 x 12 on magenta (transparent): a teal pocket
    // calculator with a display and black and white keys, and the same in white and grey for
    // the disabled look.
    static QPixmap CalculatorGlyph();
};
