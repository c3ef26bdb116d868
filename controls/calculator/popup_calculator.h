#pragma once

#include <QFrame>
#include <QString>

#include <optional>

class TPopupCalcPanel;

// The drop-down calculator's window: a frameless pop-up window with a thin border, 104 x 127
// pixels at 96 dots per inch (scaled by the screen's logical dots per inch / 96 otherwise), in
// the button-face colour, filled by a TPopupCalcPanel (object name "PopupCalcPanel"). It is
// shown without being activated and never takes the focus, not even when clicked; keys reach
// it from its field through keyPress(). Assistive technology reads it as "Kalkulator".
//
// Font: the platform's general font in bold, or "MS Sans Serif" 8 points bold when the
// platform reports none.
class TPopupCalculator : public QFrame
{
    Q_OBJECT

public:
    explicit TPopupCalculator(QWidget* parent = nullptr);

    // The window flags that keep it from ever being activated, the same the field gives it.
    static constexpr Qt::WindowFlags kWindowFlags =
        Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;

    // Starts afresh from value (see TCalculatorPanel::Start).
    void Start(long double value);
    // A typed character for the calculator; false when it is no calculator key.
    bool keyPress(const QString& typed);

    QString DisplayText() const;
    // The display's number; 0 in the error state.
    long double Value() const;
    bool inError() const;

    TPopupCalcPanel* Panel() const { return panel_; }

    // Sizes the window and its keypad for a screen of that many logical dots per inch.
    void SetPixelsPerInch(qreal ppi);

    // The calculator's font from the platform's message font, when it reports one.
    static QFont calculatorFont(const std::optional<QFont>& messageFont);

signals:
    void OnDisplayChange();
    // A beep is due (an error, or a digit beyond the display's limit).
    void OnErrorBeep();
    // "=" or "%" finished a calculation: the field takes Value() and closes the calculator.
    void OnResult();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TPopupCalcPanel* panel_ = nullptr;
};
