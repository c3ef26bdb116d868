#include "controls/number_edit/custom_number_edit.h"

#include "controls/common/error_sink.h"
#include "runtime/exceptions.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>

namespace
{

// QLineEdit keeps this many pixels between its text area and its text.
constexpr int kInnerTextMargin = 2;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

// Eats the mouse press that took the focus from a field that then refused to be left, and
// that press's release, so the widget pressed does not act on it. The press is delivered after
// the focus change, possibly after an error box ran its own loop: the first press reaching
// the widget that took the focus is that one, and a release seen before it means the button
// was already let go during the box.
class LeavingPressBlocker : public QObject
{
public:
    LeavingPressBlocker(QWidget* taker, QObject* parent) : QObject(parent), taker_(taker)
    {
        qApp->installEventFilter(this);
    }
    ~LeavingPressBlocker() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            if (!pressEaten_ && reaches(watched)) {
                pressEaten_ = true;
                if (releaseSeen_ || event->type() == QEvent::Wheel)
                    finish();
                return true;
            }
            if (pressEaten_)
                finish();
            break;
        case QEvent::MouseButtonRelease:
            if (pressEaten_ && reaches(watched)) {
                finish();
                return true;
            }
            releaseSeen_ = true;
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool reaches(QObject* watched) const
    {
        if (!taker_ || !watched->isWidgetType())
            return false;
        // The press gave the focus to its receiver or an ancestor, or to one's focus proxy.
        for (QWidget* w = static_cast<QWidget*>(watched); w; w = w->parentWidget()) {
            QWidget* focused = w;
            while (focused->focusProxy())
                focused = focused->focusProxy();
            if (w == taker_ || focused == taker_)
                return true;
            if (w->isWindow())
                break;
        }
        return false;
    }

    void finish()
    {
        qApp->removeEventFilter(this);
        deleteLater();
    }

    QPointer<QWidget> taker_;
    bool pressEaten_ = false;
    bool releaseSeen_ = false;
};

bool isCalculatorKey(QChar key, const QString& decimal, const QString& group)
{
    const QString k(key);
    if (k == group)
        return false;
    if (k == decimal)
        return true;
    static const QString keys = QStringLiteral("\b\r%*+,-./0123456789=CQR_");
    return keys.contains(key.toUpper());
}

bool isEnterOrEscape(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

// The character a key types, as the edit would take it: Backspace and Enter are characters
// too, and Ctrl with a printable key types nothing.
QString typedText(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return QStringLiteral("\b");
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return {};
    return event->text();
}

bool isPrintable(const QString& typed)
{
    if (typed.isEmpty())
        return false;
    const char16_t c = typed.front().unicode();
    return c >= 0x20 && c != 0x7F;
}

class FormattingScope
{
public:
    explicit FormattingScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~FormattingScope() { flag_ = was_; }

private:
    bool& flag_;
    bool was_;
};

} // namespace

TCustomNumberEdit::TCustomNumberEdit(QWidget* parent) : TCustomButtonEdit(parent)
{
    setAcceptDrops(false);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!formatting_)
            runGuarded([this] { Change(); });
    });
    rebuildText();
}

TCustomNumberEdit::~TCustomNumberEdit() = default;

NumberSeparators TCustomNumberEdit::localeSeparators()
{
    const QLocale locale;
    return {utf8(locale.decimalPoint()), utf8(locale.groupSeparator())};
}

void TCustomNumberEdit::SetText(const QString& text)
{
    SetValue(valueFromText(utf8(text), localeSeparators()));
}

void TCustomNumberEdit::Clear()
{
    SetText(QString());
}

long double TCustomNumberEdit::Value() const
{
    try {
        value_ = applyRange(valueFromText(utf8(text()), localeSeparators()), minValue_, maxValue_);
    } catch (const EConvertError&) {
        value_ = minValue_;
    }
    return value_;
}

void TCustomNumberEdit::SetValue(long double value)
{
    value_ = applyRange(value, minValue_, maxValue_);
    rebuildText();
    update();
}

void TCustomNumberEdit::SetMinValue(long double value)
{
    if (value == minValue_)
        return;
    minValue_ = value;
    SetValue(value_);
}

void TCustomNumberEdit::SetMaxValue(long double value)
{
    if (value == maxValue_)
        return;
    maxValue_ = value;
    SetValue(value_);
}

void TCustomNumberEdit::SetDecimalPlaces(unsigned places)
{
    if (places == decimalPlaces_)
        return;
    decimalPlaces_ = places;
    rebuildText();
    update();
}

void TCustomNumberEdit::SetDisplayFormat(const QString& format)
{
    if (format == displayFormat_)
        return;
    displayFormat_ = format;
    rebuildText();
    update();
}

void TCustomNumberEdit::SetZeroEmpty(bool on)
{
    if (on == zeroEmpty_)
        return;
    zeroEmpty_ = on;
    rebuildText();
    update();
}

void TCustomNumberEdit::SetFormatOnEditing(bool on)
{
    if (on == formatOnEditing_)
        return;
    formatOnEditing_ = on;
    if (focused_)
        rebuildText();
}

void TCustomNumberEdit::SetAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

QString TCustomNumberEdit::DisplayText() const
{
    return QString::fromStdString(formatFloat(value_, utf8(displayFormat_), localeSeparators()));
}

QString TCustomNumberEdit::editText() const
{
    if (value_ == 0 && zeroEmpty_)
        return {};
    const std::string grouping = formatOnEditing_ && focused_ ? "," : "";
    const std::string pattern = grouping + editTextPattern(decimalPlaces_);
    return QString::fromStdString(formatFloat(value_, pattern, localeSeparators()));
}

void TCustomNumberEdit::rebuildText()
{
    FormattingScope scope(formatting_);
    setText(editText());
}

void TCustomNumberEdit::updateValueFromText()
{
    value_ = applyRange(valueFromText(utf8(text()), localeSeparators()), minValue_, maxValue_);
}

void TCustomNumberEdit::errorBeep()
{
    if (beepOnError_)
        systemBeep();
}

void TCustomNumberEdit::systemBeep()
{
    QApplication::beep();
}

void TCustomNumberEdit::Change()
{
    if (formatOnEditing_ && focused_)
        regroupText();
    emit OnChange();
}

void TCustomNumberEdit::popupKeyPress(QChar) {}

void TCustomNumberEdit::insertPasted(const QString& line)
{
    const QString before = text();
    insert(line);
    try {
        updateValueFromText();
    } catch (const EConvertError&) {
        setText(before);
        selectAll();
        errorBeep();
    }
}

void TCustomNumberEdit::regroupText()
{
    const QString group = QLocale().groupSeparator();
    if (group.size() != 1 || group == QLocale().decimalPoint())
        return;
    const QChar mark = group.front();
    const QString current = text();
    const int caret = cursorPosition();
    const qsizetype keepRight = QString(current.mid(caret)).remove(mark).size();

    QString grouped = QString(current).remove(mark);
    qsizetype i = 0;
    while (i < grouped.size() && grouped[i] == u' ')
        ++i;
    if (i < grouped.size() && (grouped[i] == u'+' || grouped[i] == u'-'))
        ++i;
    const qsizetype digitsFrom = i;
    while (i < grouped.size() && grouped[i] >= u'0' && grouped[i] <= u'9')
        ++i;
    for (qsizetype at = i - 3; at > digitsFrom; at -= 3)
        grouped.insert(at, mark);
    if (grouped == current)
        return;

    qsizetype at = grouped.size();
    for (qsizetype counted = 0; at > 0 && counted < keepRight;) {
        --at;
        if (grouped[at] != mark)
            ++counted;
    }
    FormattingScope scope(formatting_);
    setText(grouped);
    setCursorPosition(static_cast<int>(at));
    setModified(true);
}

bool TCustomNumberEdit::typeCharacter(QString typed)
{
    const QLocale locale;
    if ((typed == u"." || typed == u",") && typed != locale.groupSeparator())
        typed = locale.decimalPoint();
    QString candidate = text();
    if (hasSelectedText())
        candidate.replace(selectionStart(), selectionLength(), typed);
    else
        candidate.insert(cursorPosition(), typed);
    if (!isTypeableNumberText(utf8(candidate), localeSeparators(), decimalPlaces_, minValue_,
                              maxValue_)) {
        errorBeep();
        return false;
    }
    // The filter runs first: a read-only edit (the drop-down open) refuses with a beep too.
    if (!isReadOnly())
        insert(typed);
    return true;
}

void TCustomNumberEdit::keyPressEvent(QKeyEvent* event)
{
    if (isClickKey(event)) {
        TCustomButtonEdit::keyPressEvent(event);
        return;
    }
    const QString typed = typedText(event);
    const QLocale locale;
    if (popupVisible() && typed.size() == 1 &&
        isCalculatorKey(typed.front(), locale.decimalPoint(), locale.groupSeparator())) {
        event->accept();
        runGuarded([&] { popupKeyPress(typed.front()); });
        return;
    }
    if (isEnterOrEscape(event->key())) {
        if (enterEscapeKey(event))
            return;
        rebuildText();
        selectAll();
        event->accept();
        return;
    }
    if (isPrintable(typed)) {
        event->accept();
        typeCharacter(typed);
        return;
    }
    TCustomButtonEdit::keyPressEvent(event);
}

void TCustomNumberEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        TCustomButtonEdit::inputMethodEvent(event);
        return;
    }
    // The committed characters go through the filter one by one, like typed keys.
    QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
    TCustomButtonEdit::inputMethodEvent(&preeditOnly);
    for (qsizetype i = 0; i < commit.size();) {
        const qsizetype n = commit[i].isHighSurrogate() && i + 1 < commit.size() ? 2 : 1;
        const QString one = commit.mid(i, n);
        if (isPrintable(one))
            typeCharacter(one);
        i += n;
    }
    event->accept();
}

void TCustomNumberEdit::doEnter(Qt::FocusReason reason)
{
    focused_ = true;
    rebuildText();
    update();
    TCustomButtonEdit::doEnter(reason);
}

void TCustomNumberEdit::doExit()
{
    try {
        if (checkOnExit_) {
            const NumberSeparators separators = localeSeparators();
            checkRange(valueFromText(utf8(text()), separators), minValue_, maxValue_,
                       decimalPlaces_, separators.decimal);
        }
        updateValueFromText();
    } catch (const Exception&) {
        if (isEnabled() && isVisible()) {
            QWidget* taker = QApplication::focusWidget();
            selectAll();
            setFocus(Qt::OtherFocusReason);
            if (leaveReason_ == Qt::MouseFocusReason && taker && taker != this)
                blockLeavingPress(taker);
            throw;
        }
    }
    focused_ = false;
    rebuildText();
    setCursorPosition(0);
    update();
    TCustomButtonEdit::doExit();
}

void TCustomNumberEdit::blockLeavingPress(QWidget* taker)
{
    delete pressBlocker_.data();
    pressBlocker_ = new LeavingPressBlocker(taker, this);
}

bool TCustomNumberEdit::paintsDisplayText() const
{
    return !focused_ || popupVisible();
}

void TCustomNumberEdit::paintDisplayText(QPainter& painter, const QRect& textArea)
{
    const bool calculator = popupVisible();
    const QString shown = calculator ? popupDisplayText() : DisplayText();
    const QFontMetrics fm(font());
    const QMargins margins = textMargins();
    const int leftMargin = kInnerTextMargin + margins.left();
    const int width = fm.horizontalAdvance(shown);

    int x = textArea.left() + leftMargin;
    if (!calculator && (alignment_ & Qt::AlignRight))
        x = textArea.left() + textArea.width() - (width + 1) - leftMargin;
    else if (!calculator && (alignment_ & Qt::AlignHCenter))
        x = textArea.left() + (textArea.width() - width) / 2;
    const QRect client =
        clientRect().marginsRemoved(QMargins(0, margins.top(), 0, margins.bottom()));
    const int top = client.top() + (client.height() - fm.height() + 1) / 2;

    QColor colour = palette().color(QPalette::Active, QPalette::Text);
    if (!isEnabled()) {
        const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
        if (palette().color(QPalette::Disabled, backgroundRole()).rgb() != grey.rgb())
            colour = grey;
    }
    painter.save();
    painter.setClipRect(textArea);
    painter.setFont(font());
    painter.setPen(colour);
    painter.drawText(x, top + fm.ascent(), shown);
    painter.restore();
}

void TCustomNumberEdit::focusOutEvent(QFocusEvent* event)
{
    leaveReason_ = event->reason();
    TCustomButtonEdit::focusOutEvent(event);
}
