#pragma once

#include <string>
#include <string_view>

// Number text of the calculator edit: reading, normalising, formatting and the range rule.
// Texts are UTF-8; the separators are the caller's locale's (a separator may be several bytes,
// such as a no-break space). Values are extended precision (long double).

struct NumberSeparators {
    std::string decimal = ".";
    std::string thousands = ",";
};

// The floating-point reading: spaces (byte 32) skipped, an optional sign, digits, optionally the
// decimal separator and digits (a digit or the separator must follow the sign), optionally "E"
// or "e" with an optional sign and exponent digits, spaces, and the end. Exponent digits are
// read only while the exponent is below 500. So "," alone reads as 0 and "5e" as 5, while "+",
// "e5" and "5x" are refused. A result beyond the extended range is refused; one too small for
// it reads as 0. False when refused; value is then unchanged.
bool textToFloat(std::string_view text, std::string_view decimalSeparator, long double& value);

// Number text from what stands in the field: spaces (byte 32) trimmed at both ends; the
// thousands separator deleted (unless it equals the decimal one); "." and "," made the decimal
// separator unless either separator is that character; "" becomes "0" and "-" becomes "-0".
std::string normalizeNumberText(std::string_view text, const NumberSeparators& separators);

// The value a field's text stands for: normalised, then read. Throws EConvertError
// "'%s' is not a valid floating point value" with the normalised text.
long double valueFromText(std::string_view text, const NumberSeparators& separators);

// The edit text's pattern for a number of decimals: "0" for none, "0.##" for two.
std::string editTextPattern(unsigned decimalPlaces);

// A value written by a format pattern: "0" and "#" digit places, "." the decimal point, ","
// anywhere for thousands grouping, "E+0"/"E-0" (or "e") for an exponent, quoted ('' or "")
// and other characters as they stand, up to three sections "positive;negative;zero". The
// value is rounded half away from zero to the decimals the pattern shows; a value whose
// rounding leaves 0 shows no minus sign. An empty pattern, and a value with more than 18
// integer digits, give the general form with 15 digits.
std::string formatFloat(long double value, std::string_view pattern,
                        const NumberSeparators& separators);

// The general form: at most `precision` significant digits, no trailing zero decimals, in
// exponent form ("1.5E20", "1E-5") when the value needs more than `precision` integer digits
// or is below 0.0001.
std::string formatFloatGeneral(long double value, int precision, std::string_view decimalSeparator);

// Fixed form with exactly `decimals` decimals and no grouping ("-3,50").
std::string formatFloatFixed(long double value, unsigned decimals,
                             std::string_view decimalSeparator);

// Whether a text may stand in the field while it is typed: normalised, its decimals (from the
// decimal separator up to a following exponent mark) at most decimalPlaces; only digits, "+",
// "-", "E", "e" and the decimal separator; the first 63 characters readable; and not negative
// when minValue >= 0 and maxValue > 0.
bool isTypeableNumberText(std::string_view text, const NumberSeparators& separators,
                          unsigned decimalPlaces, long double minValue, long double maxValue);

// The range rule. Nothing acts when the bounds are equal. With maxValue above minValue both
// bounds clamp; with maxValue below minValue only one bound acts: minValue when maxValue is 0,
// maxValue when minValue is 0.
long double applyRange(long double value, long double minValue, long double maxValue);

// The same rule, failing instead of changing the value: throws ERangeError
// "Value must be between %s and %s" with both bounds written with `decimalPlaces` decimals.
void checkRange(long double value, long double minValue, long double maxValue,
                unsigned decimalPlaces, std::string_view decimalSeparator);
