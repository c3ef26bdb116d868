#include "runtime/float_text.h"

#include "runtime/exceptions.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

void replaceAll(std::string& text, std::string_view what, std::string_view with)
{
    if (what.empty() || what == with)
        return;
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, from)) {
        out.append(text, from, at - from);
        out.append(with);
        from = at + what.size();
    }
    out.append(text, from, std::string::npos);
    text = std::move(out);
}

// A value as 0.d1d2... x 10^exponent, with no leading or trailing zero digit; no digits is 0.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
};

void dropTrailingZeros(Decimal& d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
}

// 18 significant digits: all that an extended value carries reliably.
Decimal toDecimal(long double value)
{
    Decimal d;
    d.negative = std::signbit(value);
    value = std::fabs(value);
    if (value == 0)
        return d;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 17);
    const std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (isDigit(s[i]))
            d.digits += s[i];
    d.exponent = std::atoi(std::string(s.substr(e + 1)).c_str()) + 1;
    dropTrailingZeros(d);
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
void roundDigits(Decimal& d, int keep)
{
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    dropTrailingZeros(d);
}

void roundToDecimals(Decimal& d, int decimals)
{
    if (!d.isZero())
        roundDigits(d, d.exponent + decimals);
}

std::string integerDigits(const Decimal& d)
{
    if (d.isZero() || d.exponent <= 0)
        return {};
    std::string s = d.digits.substr(0, static_cast<std::size_t>(d.exponent));
    s.resize(static_cast<std::size_t>(d.exponent), '0');
    return s;
}

std::string fractionDigits(const Decimal& d)
{
    if (d.isZero())
        return {};
    if (d.exponent >= 0)
        return d.exponent < static_cast<int>(d.digits.size())
                   ? d.digits.substr(static_cast<std::size_t>(d.exponent))
                   : std::string();
    return std::string(static_cast<std::size_t>(-d.exponent), '0') + d.digits;
}

const char* specialText(long double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    return nullptr;
}

bool isQuote(char c)
{
    return c == '\'' || c == '"';
}

// At the quote pattern[i] opens: the text it quotes, which stands as it is however it looks,
// with i moved to the closing quote (or the end of the pattern when none closes it).
std::string_view skipQuoted(std::string_view pattern, std::size_t& i)
{
    const std::size_t open = i;
    i = std::min(pattern.find(pattern[open], open + 1), pattern.size());
    return pattern.substr(open + 1, i - open - 1);
}

std::vector<std::string_view> splitSections(std::string_view pattern)
{
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (isQuote(c)) {
            skipQuoted(pattern, i);
        } else if (c == ';') {
            sections.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.substr(start));
    return sections;
}

bool isExponentMark(std::string_view section, std::size_t i)
{
    return (section[i] == 'E' || section[i] == 'e') && i + 1 < section.size() &&
           (section[i + 1] == '+' || section[i + 1] == '-');
}

// What a format section asks for.
struct SectionLayout {
    int intPlaces = 0;
    int minIntDigits = 0;
    int fracPlaces = 0;
    int minFracDigits = 0;
    bool grouping = false;
    bool scientific = false;
};

SectionLayout layoutOf(std::string_view section)
{
    SectionLayout layout;
    bool afterPoint = false;
    int firstIntZero = -1;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (isQuote(c)) {
            skipQuoted(section, i);
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                ++layout.fracPlaces;
                if (c == '0')
                    layout.minFracDigits = layout.fracPlaces;
            } else {
                if (c == '0' && firstIntZero < 0)
                    firstIntZero = layout.intPlaces;
                ++layout.intPlaces;
            }
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            layout.grouping = true;
        } else if (isExponentMark(section, i)) {
            layout.scientific = true;
            break;
        }
    }
    if (firstIntZero >= 0)
        layout.minIntDigits = layout.intPlaces - firstIntZero;
    return layout;
}

std::string formatSection(Decimal d, bool withSign, std::string_view section,
                          const SectionLayout& layout, const NumberSeparators& separators)
{
    std::string intDigits;
    std::string fracDigits;
    int shownExponent = 0;
    if (layout.scientific) {
        const int mantissaDigits = std::max(layout.intPlaces, 1);
        roundDigits(d, mantissaDigits + layout.fracPlaces);
        if (!d.isZero())
            shownExponent = d.exponent - mantissaDigits;
        intDigits = d.digits.substr(
            0, std::min<std::size_t>(d.digits.size(), static_cast<std::size_t>(mantissaDigits)));
        intDigits.resize(static_cast<std::size_t>(mantissaDigits), '0');
        if (d.digits.size() > static_cast<std::size_t>(mantissaDigits))
            fracDigits = d.digits.substr(static_cast<std::size_t>(mantissaDigits));
    } else {
        intDigits = integerDigits(d);
        fracDigits = fractionDigits(d);
        if (static_cast<int>(intDigits.size()) < layout.minIntDigits)
            intDigits.insert(0, static_cast<std::size_t>(layout.minIntDigits) - intDigits.size(),
                             '0');
    }
    if (static_cast<int>(fracDigits.size()) < layout.minFracDigits)
        fracDigits.resize(static_cast<std::size_t>(layout.minFracDigits), '0');

    std::string out = withSign && d.negative && !d.isZero() ? "-" : "";
    const std::size_t count = intDigits.size();
    const std::size_t places = static_cast<std::size_t>(layout.intPlaces);
    auto emitInt = [&](std::size_t index) {
        out += intDigits[index];
        const std::size_t fromRight = count - 1 - index;
        if (layout.grouping && !layout.scientific && fromRight > 0 && fromRight % 3 == 0)
            out += separators.thousands;
    };
    auto emitAllInt = [&] {
        for (std::size_t i = 0; i < count; ++i)
            emitInt(i);
    };

    std::size_t intIndex = 0;
    std::size_t fracIndex = 0;
    bool afterPoint = false;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (isQuote(c)) {
            out += skipQuoted(section, i);
        } else if ((c == '0' || c == '#') && !afterPoint) {
            // The first place takes every digit the places cannot hold.
            if (intIndex == 0) {
                for (std::size_t k = 0; k + places <= count; ++k)
                    emitInt(k);
            } else if (count + intIndex >= places) {
                emitInt(count + intIndex - places);
            }
            ++intIndex;
        } else if (c == '0' || c == '#') {
            if (fracIndex < fracDigits.size())
                out += fracDigits[fracIndex];
            ++fracIndex;
        } else if (c == '.') {
            if (afterPoint)
                continue;
            afterPoint = true;
            if (places == 0)
                emitAllInt();
            if (!fracDigits.empty())
                out += separators.decimal;
        } else if (c == ',') {
        } else if (isExponentMark(section, i)) {
            if (places == 0 && !afterPoint)
                emitAllInt();
            out += c;
            const bool alwaysSign = section[i + 1] == '+';
            if (shownExponent < 0)
                out += '-';
            else if (alwaysSign)
                out += '+';
            i += 2;
            std::size_t width = 0;
            while (i < section.size() && section[i] == '0' && width < 4) {
                ++width;
                ++i;
            }
            std::string exponentDigits = std::to_string(std::abs(shownExponent));
            if (exponentDigits.size() < width)
                exponentDigits.insert(0, width - exponentDigits.size(), '0');
            out += exponentDigits;
            out.append(section.substr(i));
            return out;
        } else {
            out += c;
        }
    }
    if (places == 0 && !afterPoint)
        emitAllInt();
    return out;
}

} // namespace

bool textToFloat(std::string_view text, std::string_view decimalSeparator, long double& value)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string mantissa;
    long long scale = 0;
    bool readSomething = false;
    while (i < n && isDigit(text[i])) {
        mantissa += text[i++];
        readSomething = true;
    }
    if (!decimalSeparator.empty() && text.substr(i).starts_with(decimalSeparator)) {
        i += decimalSeparator.size();
        readSomething = true;
        while (i < n && isDigit(text[i])) {
            mantissa += text[i++];
            --scale;
        }
    }
    if (!readSomething)
        return false;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        long long exponent = 0;
        while (i < n && isDigit(text[i]) && exponent < 500)
            exponent = exponent * 10 + (text[i++] - '0');
        scale += negativeExponent ? -exponent : exponent;
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        return false;

    const std::size_t firstNonZero = mantissa.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        value = negative ? -0.0L : 0.0L;
        return true;
    }
    mantissa.erase(0, firstNonZero);
    const std::string number = mantissa + "e" + std::to_string(scale);
    long double result = 0;
    // strtold, not from_chars: MinGW's from_chars reads a long double only within the range of
    // a double. The text holds digits and an exponent only, nothing the locale changes.
    errno = 0;
    char* end = nullptr;
    result = std::strtold(number.c_str(), &end);
    const std::errc ec = end != number.c_str() + number.size() ? std::errc::invalid_argument
                         : errno == ERANGE                     ? std::errc::result_out_of_range
                                                               : std::errc();
    if (ec == std::errc::result_out_of_range) {
        // Beyond the range either way: too large is refused, too small is 0.
        const long long magnitude = static_cast<long long>(mantissa.size()) - 1 + scale;
        if (magnitude >= 0)
            return false;
        result = 0;
    } else if (ec != std::errc() || std::isinf(result)) {
        return false;
    }
    value = negative ? -result : result;
    return true;
}

std::string normalizeNumberText(std::string_view text, const NumberSeparators& separators)
{
    const std::size_t first = text.find_first_not_of(' ');
    std::string s = first == std::string_view::npos
                        ? std::string()
                        : std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
    const std::string& dec = separators.decimal;
    const std::string& thou = separators.thousands;
    if (dec != thou && !thou.empty()) {
        replaceAll(s, thou, "");
    }
    if (dec != "." && thou != ".")
        replaceAll(s, ".", dec);
    if (dec != "," && thou != ",")
        replaceAll(s, ",", dec);
    if (s.empty())
        return "0";
    if (s == "-")
        return "-0";
    return s;
}

long double valueFromText(std::string_view text, const NumberSeparators& separators)
{
    const std::string number = normalizeNumberText(text, separators);
    long double value = 0;
    if (!textToFloat(number, separators.decimal, value))
        throw EConvertError("'" + number + "' is not a valid floating point value");
    return value;
}

std::string editTextPattern(unsigned decimalPlaces)
{
    std::string pattern = "0";
    if (decimalPlaces > 0)
        pattern += "." + std::string(decimalPlaces, '#');
    return pattern;
}

std::string formatFloat(long double value, std::string_view pattern,
                        const NumberSeparators& separators)
{
    if (const char* special = specialText(value))
        return special;
    if (pattern.empty())
        return formatFloatGeneral(value, 15, separators.decimal);

    const std::vector<std::string_view> sections = splitSections(pattern);
    auto usable = [&](std::size_t index) {
        return index < sections.size() && !sections[index].empty();
    };
    std::size_t index = 0;
    if (value < 0 && usable(1))
        index = 1;
    if (value == 0 && usable(2))
        index = 2;

    Decimal d = toDecimal(value);
    SectionLayout layout = layoutOf(sections[index]);
    if (!layout.scientific) {
        if (d.exponent > 18)
            return formatFloatGeneral(value, 15, separators.decimal);
        roundToDecimals(d, layout.fracPlaces);
        if (d.isZero() && index != 2 && usable(2)) {
            index = 2;
            layout = layoutOf(sections[index]);
        }
    }
    return formatSection(d, index == 0, sections[index], layout, separators);
}

std::string formatFloatGeneral(long double value, int precision, std::string_view decimalSeparator)
{
    if (const char* special = specialText(value))
        return special;
    Decimal d = toDecimal(value);
    roundDigits(d, precision);
    if (d.isZero())
        return "0";
    std::string out = d.negative ? "-" : "";
    if (d.exponent > precision || d.exponent < -3) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += decimalSeparator;
            out += d.digits.substr(1);
        }
        out += 'E';
        out += std::to_string(d.exponent - 1);
        return out;
    }
    const std::string intDigits = integerDigits(d);
    out += intDigits.empty() ? "0" : intDigits;
    const std::string frac = fractionDigits(d);
    if (!frac.empty()) {
        out += decimalSeparator;
        out += frac;
    }
    return out;
}

std::string formatFloatFixed(long double value, unsigned decimals,
                             std::string_view decimalSeparator)
{
    if (const char* special = specialText(value))
        return special;
    Decimal d = toDecimal(value);
    roundToDecimals(d, static_cast<int>(decimals));
    const std::string intDigits = integerDigits(d);
    std::string out = d.negative && !d.isZero() ? "-" : "";
    out += intDigits.empty() ? "0" : intDigits;
    if (decimals > 0) {
        std::string frac = fractionDigits(d);
        frac.resize(decimals, '0');
        out += decimalSeparator;
        out += frac;
    }
    return out;
}

bool isTypeableNumberText(std::string_view text, const NumberSeparators& separators,
                          unsigned decimalPlaces, long double minValue, long double maxValue)
{
    const std::string s = normalizeNumberText(text, separators);
    const std::string& dec = separators.decimal;

    const std::size_t point = s.find(dec);
    if (point != std::string::npos) {
        const std::size_t decimalsFrom = point + dec.size();
        const std::size_t mark = s.find_first_of("Ee", decimalsFrom);
        const std::size_t decimals = (mark == std::string::npos ? s.size() : mark) - decimalsFrom;
        if (decimals > decimalPlaces)
            return false;
    }

    // The reading sees the first 63 characters; a character here may take several bytes.
    std::size_t cut = s.size();
    std::size_t characters = 0;
    for (std::size_t i = 0; i < s.size();) {
        if (characters == 63 && cut == s.size())
            cut = i;
        if (!dec.empty() && std::string_view(s).substr(i).starts_with(dec)) {
            i += dec.size();
        } else {
            const char c = s[i];
            if (!isDigit(c) && c != '+' && c != '-' && c != 'E' && c != 'e')
                return false;
            ++i;
        }
        ++characters;
    }
    long double value = 0;
    if (!textToFloat(std::string_view(s).substr(0, cut), dec, value))
        return false;
    return !(minValue >= 0 && maxValue > 0 && value < 0);
}

long double applyRange(long double value, long double minValue, long double maxValue)
{
    if (minValue == maxValue)
        return value;
    if (maxValue > minValue) {
        if (value < minValue)
            return minValue;
        if (value > maxValue)
            return maxValue;
    } else if (maxValue == 0) {
        if (value < minValue)
            return minValue;
    } else if (minValue == 0) {
        if (value > maxValue)
            return maxValue;
    }
    return value;
}

void checkRange(long double value, long double minValue, long double maxValue,
                unsigned decimalPlaces, std::string_view decimalSeparator)
{
    if (applyRange(value, minValue, maxValue) != value)
        throw ERangeError("Value must be between " +
                          formatFloatFixed(minValue, decimalPlaces, decimalSeparator) + " and " +
                          formatFloatFixed(maxValue, decimalPlaces, decimalSeparator));
}
