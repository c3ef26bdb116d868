#pragma once

#include "controls/number_edit/custom_number_edit.h"

class TPopupCalculator;

// The numeric edit with a drop-down calculator under its button.
//
// The button ("Kalkulator" to assistive technology) is 20 pixels wide and shows
// calculatorGlyph(); ClickKey is Alt+Down, a drop-down
// stands with its right edge on the field's right edge, and the text has no length limit.
//
// The field creates its TPopupCalculator (object name "PopupCalculator") with itself and
// keeps it, hidden, for its life. The button or ClickKey (unless ReadOnly) opens it under the
// field, started from the text read as a number by textToFloat, as it stands (not normalised:
// a group separator or a "." that is not the decimal point makes it 0, as does text that does
// not read); while it is open
// the field keeps the focus, its edit is read-only without a caret, it paints the
// calculator's display left-aligned, and the calculator's keys typed into it (see
// popupKeyPress) work the calculator, its buttons shown pressed.
//
// Closing with acceptance ("=", "%" or Enter finishing a calculation, or the button or
// ClickKey while open) takes the calculator's value, or 0 with a beep when it shows "Error",
// and writes it in the general form with 15 digits and the locale's decimal point; when that
// differs from the text, the text becomes it, is marked modified and OnChange runs. The whole
// text is then selected. Value itself follows when the field is left. Closing without
// acceptance (Escape, focus loss, a press in the text or anywhere else outside the field and
// the calculator) leaves the text as it was. Calculator errors beep when BeepOnError is on.
class TCustomCalcEdit : public TCustomNumberEdit
{
    Q_OBJECT

public:
    explicit TCustomCalcEdit(QWidget* parent = nullptr);

    // The button's two images side by side, 28 x 12 on magenta (transparent): a teal pocket
    // calculator with a display and black and white keys, and the same in white and grey for
    // the disabled look; at a device pixel ratio above 1, each pixel a square of that side.
    static QPixmap calculatorGlyph(qreal ratio = 1.0);

    TPopupCalculator* Calculator() const { return calculator_; }

    void PopupDropDown() override;

protected:
    void acceptValue() override;
    void popupKeyPress(QChar key) override;
    QString popupDisplayText() const override;

private:
    TPopupCalculator* calculator_ = nullptr;
};
