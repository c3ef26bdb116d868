#pragma once

#include "controls/button_edit/custom_button_edit.h"
#include "runtime/float_text.h"

#include <QPointer>

// A numeric button edit. It keeps two things apart: Value, an extended-precision number, and
// the text standing in the edit. The text is rebuilt from the value when the field is entered
// and left and when a setting or the value is written; in between it is what was typed.
//
// Number text follows QLocale() (the default locale): its decimal point and group separator.
// The edit text is the value in the pattern "0" plus, with DecimalPlaces above 0, "." and one
// "#" per decimal place: rounded, no trailing zero decimals, no grouping, and empty for a value
// of exactly 0 when ZeroEmpty is on.
//
// Typing: a "." or "," that is not the group separator becomes the decimal point; a printable
// character is taken only when the text it would give, normalised, is number text with at most
// DecimalPlaces decimals (and not negative when MinValue >= 0 and MaxValue > 0), else it is
// dropped with a beep, also while the edit is read-only (the drop-down open), where nothing is
// taken. Backspace, Delete, Cut and Undo pass unchecked, so they can leave text
// that is not a number. Escape rebuilds the text from the value and selects it; Enter and
// Escape are also offered to the window as dialog keys. Dropped text is not taken.
//
// Paste (Ctrl+V, Shift+Insert, the context menu, the middle button), only with DirectInput on
// and ReadOnly off, of the clipboard's first line: the value is updated from the text at once;
// text that does not read as a number is taken back, the text from before selected, with a
// beep. No decimals limit applies.
//
// While not focused the field paints the value in DisplayFormat (",0.##" by default: grouping,
// up to two decimals; the value 0 shows "0" even though the text is empty), aligned by
// Alignment against the button. While disabled the text is drawn in the palette's disabled
// Text colour, unless the disabled background (the backgroundRole(), Base) already has it.
//
// Leaving: with CheckOnExit the range is checked, then the value is updated from the text. If
// either fails, the whole text is selected, the focus goes back into the field and the error
// (EConvertError "'%s' is not a valid floating point value", or ERangeError) goes to the error
// display; a mouse press that took the focus away is then swallowed, so the button that was
// pressed does not click. A field that cannot keep the focus (disabled or hidden meanwhile) is
// left all the same, its text rebuilt from the value it had.
class TCustomNumberEdit : public TCustomButtonEdit
{
    Q_OBJECT

public:
    explicit TCustomNumberEdit(QWidget* parent = nullptr);
    ~TCustomNumberEdit() override;

    // The edit's characters exactly as they stand.
    QString Text() const { return text(); }
    // The value becomes the text read as a number (normalised; "" is 0) through the range
    // rule, and the text is rebuilt from it. Throws EConvertError for text that does not read;
    // value and text then stay as they were. (QLineEdit::setText writes the edit text alone.)
    void SetText(const QString& text);
    // Writes an empty text: the value 0. (QLineEdit::clear empties the edit text alone.)
    void Clear();

    // Reading first updates the value from the text; text that does not read makes the value
    // MinValue, without an error.
    long double Value() const;
    // Through the range rule; then the text is rebuilt.
    void SetValue(long double value);

    // The range; equal bounds (both 0 by default) mean none. With MaxValue above MinValue both
    // clamp; with MaxValue below MinValue only MinValue acts when MaxValue is 0, and only
    // MaxValue when MinValue is 0. A changed bound writes the stored value again.
    long double MinValue() const { return minValue_; }
    void SetMinValue(long double value);
    long double MaxValue() const { return maxValue_; }
    void SetMaxValue(long double value);

    // Most decimals that may be typed, and the decimals of the edit text (default 2).
    unsigned DecimalPlaces() const { return decimalPlaces_; }
    void SetDecimalPlaces(unsigned places);
    // The pattern of the painted value (see formatFloat); empty gives the general form.
    QString DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& format);
    // A value of exactly 0 gives an empty edit text (default on).
    bool ZeroEmpty() const { return zeroEmpty_; }
    void SetZeroEmpty(bool on);
    // Beep on a refused keystroke or paste (default on).
    bool BeepOnError() const { return beepOnError_; }
    void SetBeepOnError(bool on) { beepOnError_ = on; }
    // Refuse to leave with a value out of range instead of clamping it (default off).
    bool CheckOnExit() const { return checkOnExit_; }
    void SetCheckOnExit(bool on) { checkOnExit_ = on; }
    // Group the digits while typing, and in the edit text while focused (default off).
    bool FormatOnEditing() const { return formatOnEditing_; }
    void SetFormatOnEditing(bool on);
    // Alignment of the painted value: Qt::AlignLeft, Qt::AlignRight (default) or
    // Qt::AlignHCenter. The edit's own text stays left-aligned (QLineEdit::setAlignment would
    // move the edit text instead).
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment alignment);

    // The field has been entered and not yet left.
    bool Focused() const { return focused_; }
    // What the field paints while it does not show its edit text. (QLineEdit::displayText is
    // the edit text as the line edit shows it.)
    QString DisplayText() const;

    // A beep when BeepOnError is on.
    void errorBeep();

    // The default locale's decimal point and group separator.
    static NumberSeparators localeSeparators();

signals:
    // The text changed, by the operator or by code, but not by the field's own rebuilding.
    void OnChange();

protected:
    // Runs for every change OnChange reports, then emits it.
    virtual void Change();

    // While the drop-down is open, a typed calculator key goes here: Backspace, Enter, "%",
    // "*", "+", ",", "-", ".", "/", a digit, "=", "C", "Q", "R", "_" (upper-cased) or the
    // decimal point, never the group separator. The default drops it.
    virtual void popupKeyPress(QChar key);
    // What the field paints, left-aligned, while the drop-down is open.
    virtual QString popupDisplayText() const { return {}; }

    // The beep itself.
    virtual void systemBeep();

    // Normalise, read (EConvertError when it does not), range rule without error.
    void updateValueFromText();
    // The edit text from the value, without counting as a change.
    void rebuildText();

    // The paste rule.
    void insertPasted(const QString& line) override;

    void doEnter(Qt::FocusReason reason) override;
    void doExit() override;
    bool paintsDisplayText() const override;
    void paintDisplayText(QPainter& painter, const QRect& textArea) override;

    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString editText() const;
    // A typed printable character through the filter, taken only while the edit is writable;
    // false when the filter refused it (with a beep).
    bool typeCharacter(QString typed);
    void regroupText();
    void blockLeavingPress(QWidget* taker);

    mutable long double value_ = 0;
    long double minValue_ = 0;
    long double maxValue_ = 0;
    unsigned decimalPlaces_ = 2;
    QString displayFormat_ = QStringLiteral(",0.##");
    bool zeroEmpty_ = true;
    bool beepOnError_ = true;
    bool checkOnExit_ = false;
    bool formatOnEditing_ = false;
    Qt::Alignment alignment_ = Qt::AlignRight;
    bool focused_ = false;
    bool formatting_ = false;
    Qt::FocusReason leaveReason_ = Qt::OtherFocusReason;
    QPointer<QObject> pressBlocker_;
};
