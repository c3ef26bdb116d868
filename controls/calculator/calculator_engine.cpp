#include "controls/calculator/calculator_engine.h"

#include "runtime/float_text.h"

#include <cmath>
#include <utility>

namespace
{

constexpr int kPrecision = 15;
constexpr std::size_t kMaxTypedCharacters = 15;

// Characters, not bytes: a decimal separator may take several bytes.
std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

void dropLastCharacter(std::string& text)
{
    while (!text.empty()) {
        const bool continuation = (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80;
        text.pop_back();
        if (!continuation)
            break;
    }
}

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

} // namespace

TCalculatorEngine::TCalculatorEngine() = default;

void TCalculatorEngine::Start(long double value, std::string decimalSeparator)
{
    separator_ = std::move(decimalSeparator);
    state_ = csFirstEntry;
    pending_ = '=';
    operand_ = 0;
    if (!show(value))
        display_ = "0";
}

char TCalculatorEngine::mapKey(std::string_view typed, std::string_view decimalSeparator)
{
    if (typed == "." || typed == "," || (!decimalSeparator.empty() && typed == decimalSeparator))
        return '.';
    if (typed.size() != 1)
        return 0;
    char c = typed.front();
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    if (c == '\r')
        return '=';
    static constexpr std::string_view keys = "0123456789_/*-+Q%R=\bC";
    return keys.find(c) != std::string_view::npos ? c : 0;
}

long double TCalculatorEngine::Value() const
{
    long double value = 0;
    if (state_ == csError || !textToFloat(display_, separator_, value))
        return 0;
    return value;
}

void TCalculatorEngine::endFirstEntry()
{
    if (state_ != csFirstEntry)
        return;
    state_ = csEntering;
    display_ = "0";
}

bool TCalculatorEngine::show(long double value)
{
    if (!std::isfinite(value))
        return false;
    display_ = formatFloatGeneral(value, kPrecision, separator_);
    return true;
}

void TCalculatorEngine::fail(KeyOutcome& outcome)
{
    state_ = csError;
    display_ = "Error";
    outcome.beep = true;
}

TCalculatorEngine::KeyOutcome TCalculatorEngine::Key(char key)
{
    KeyOutcome outcome;
    if (state_ == csError && key != 'C')
        return outcome;
    switch (key) {
    case '0':
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9': {
        endFirstEntry();
        if (display_ == "0")
            display_.clear();
        if (contains(display_, "E"))
            break;
        const std::size_t limit = kMaxTypedCharacters + (contains(display_, "-") ? 1 : 0);
        if (characterCount(display_) < limit)
            display_ += key;
        else
            outcome.beep = true;
        break;
    }
    case '.':
        endFirstEntry();
        // A separator after an exponent would leave a display that reads as no number.
        if (!contains(display_, separator_) && !contains(display_, "E"))
            display_ += separator_;
        break;
    case '\b': {
        endFirstEntry();
        const std::size_t n = characterCount(display_);
        if (n <= 1 || (n == 2 && display_.front() == '-'))
            display_ = "0";
        else
            dropLastCharacter(display_);
        break;
    }
    case '_':
        if (!show(-Value()))
            fail(outcome);
        break;
    case '+':
    case '-':
    case '*':
    case '/':
    case '=':
    case '%':
        operatorKey(key, outcome);
        break;
    case 'Q':
    case 'R': {
        state_ = csFirstEntry;
        const long double value = Value();
        if (key == 'Q' ? value < 0 : value == 0)
            fail(outcome);
        else if (!show(key == 'Q' ? std::sqrt(value) : 1 / value))
            fail(outcome);
        break;
    }
    case 'C':
        state_ = csFirstEntry;
        display_ = "0";
        pending_ = '=';
        operand_ = 0;
        break;
    default:
        break;
    }
    return outcome;
}

void TCalculatorEngine::operatorKey(char key, KeyOutcome& outcome)
{
    if (state_ == csEntering) {
        state_ = csFirstEntry;
        long double r = Value();
        if (key == '%') {
            if (pending_ == '+' || pending_ == '-')
                r = operand_ * r / 100;
            else if (pending_ == '*' || pending_ == '/')
                r = r / 100;
        }
        switch (pending_) {
        case '+':
            r = operand_ + r;
            break;
        case '-':
            r = operand_ - r;
            break;
        case '*':
            r = operand_ * r;
            break;
        case '/':
            if (r == 0) {
                fail(outcome);
                return;
            }
            r = operand_ / r;
            break;
        default:
            break;
        }
        if (!show(r)) {
            fail(outcome);
            return;
        }
    }
    pending_ = key;
    operand_ = Value();
    if (key == '=' || key == '%') {
        show(operand_);
        outcome.deliver = true;
    }
}
