#pragma once

#include <string>
#include <string_view>

// The states of the pocket calculator.
enum TCalcState {
    csFirstEntry, // the next digit starts a new number
    csEntering,   // digits are being appended to the display
    csError,      // "Error" shows; only "C" leaves
};

// The pocket calculator's arithmetic, without any window: a display text, a state, a pending
// operator and an operand.
//
// Keys are single characters: the digits, '.' (the decimal point, shown as the decimal
// separator), '\b' (Backspace), '_' (change sign), '+', '-', '*', '/', '=', '%', 'Q' (square
// root), 'R' (reciprocal) and 'C' (clear). mapKey() turns what the operator typed into one.
//
// Every computed display value is written in the general form with 15 significant digits and
// the decimal separator given to Start(). Typed digits stop at 15 characters of display (16
// with a "-"); nothing more is typed into a display in exponent form. Division by 0, the
// square root of a negative number, the reciprocal of 0 and a result beyond the extended range
// are errors: the display shows "Error" and the key asks for a beep.
class TCalculatorEngine
{
public:
    // What a key did beyond changing the display.
    struct KeyOutcome {
        bool beep = false;    // an error, or a digit beyond the display's limit
        bool deliver = false; // "=" or "%" finished a calculation: the result is ready
    };

    TCalculatorEngine();

    // Starts afresh from value: first-entry, pending operator '=', the display the value.
    void Start(long double value, std::string decimalSeparator);

    // One key. In the error state every key but 'C' is ignored; an unknown key does nothing.
    KeyOutcome Key(char key);

    // The key a typed character stands for, or 0: "." and "," and the decimal separator are
    // the decimal point, Enter ("\r") is '=', letters are upper-cased.
    static char mapKey(std::string_view typed, std::string_view decimalSeparator);

    // As given to Start().
    const std::string& DecimalSeparator() const { return separator_; }
    // UTF-8, with the decimal separator.
    const std::string& DisplayText() const { return display_; }
    TCalcState State() const { return state_; }
    char pendingOperator() const { return pending_; }
    long double Operand() const { return operand_; }
    // The number the display shows; 0 in the error state.
    long double Value() const;

private:
    void endFirstEntry();
    // Shows a computed value; false, leaving the display alone, when it is beyond the range.
    bool show(long double value);
    void fail(KeyOutcome& outcome);
    void operatorKey(char key, KeyOutcome& outcome);

    std::string separator_ = ".";
    std::string display_ = "0";
    TCalcState state_ = csFirstEntry;
    char pending_ = '=';
    long double operand_ = 0;
};
