#pragma once

#include "controls/calculator/calculator_engine.h"

#include <QFrame>
#include <QRect>
#include <QString>

#include <array>

class TCalcButton;

// The pocket calculator's keypad over a TCalculatorEngine: nineteen TCalcButton buttons of
// 21 x 21 pixels ("=" 44 x 21) at 96 dots per inch, in five rows of four:
//
//     7  8  9  /
//     4  5  6  *
//     1  2  3  -
//     0  ,  ±  +
//     C  <- =
//
// the decimal point's button captioned with the decimal separator. Digits, the separator and
// "±" are drawn in the button-text colour, the operators and "=" in purple, "C" and "<-" in
// maroon. The buttons' object names are "CalcButton" plus the key's name: "CalcButton7",
// "CalcButtonPoint", "CalcButtonSign", "CalcButtonDivide", "CalcButtonMultiply",
// "CalcButtonSubtract", "CalcButtonAdd", "CalcButtonEquals", "CalcButtonClear",
// "CalcButtonBack". To assistive technology a digit key is named by its digit, the others in
// Polish by what they do ("Dzielenie", "Separator dziesiętny", "Usuń ostatnią cyfrę", ...).
//
// A click on a button, or keyPress(), gives its key to the engine. Number text follows
// QLocale() as of the last Start().
class TCalculatorPanel : public QFrame
{
    Q_OBJECT

public:
    explicit TCalculatorPanel(QWidget* parent = nullptr);

    // Starts afresh from value: first-entry, pending operator "=", the display the value
    // written with the default locale's decimal separator.
    void Start(long double value);

    // A typed character: mapped to its key (see TCalculatorEngine::mapKey); the button that
    // carries the key, if one does, is shown pressed; then the key acts. False when the
    // character is no calculator key.
    bool keyPress(const QString& typed);

    QString DisplayText() const;
    long double Value() const;
    bool inError() const { return engine_.State() == csError; }
    const TCalculatorEngine& Engine() const { return engine_; }

    // The button that carries a key, or nullptr ('Q', '%' and 'R' have none).
    TCalcButton* buttonFor(char key) const;

    // Places the buttons for a screen of that many logical dots per inch.
    void SetPixelsPerInch(qreal ppi);
    // A length of the 96 dots-per-inch layout on a screen of ppi, rounded to whole pixels.
    static int Scaled(int pixelsAt96, qreal ppi);

signals:
    // The display text changed.
    void OnDisplayChange();
    // A key failed (an error, or a digit beyond the display's limit).
    void OnErrorBeep();
    // "=" or "%" finished a calculation; Value() is the result.
    void OnResult();

private:
    struct ButtonPlace {
        char key;
        const char* caption; // UTF-8; empty for the decimal separator
        const char* name;    // after "CalcButton"
        const char* spoken;  // UTF-8 accessible name; empty: the caption
        QRect at96;          // in the panel, at 96 dots per inch
    };
    static const std::array<ButtonPlace, 19> kButtons;

    void act(char key);

    TCalculatorEngine engine_;
    std::array<TCalcButton*, 19> buttons_{};
};
