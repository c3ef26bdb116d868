// The count field's key filter: a text it lets stand reads as a number on leaving, and the text
// the field then writes for that value (rebuilt in its edit pattern) passes the same filter and
// reads back as the value. Input: a locale byte, a settings byte (decimals, range), the text.

#include "runtime/exceptions.h"
#include "runtime/float_text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/number_locales.h"

#include <array>
#include <cmath>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const NumberSeparators& separators = fuzzSeparators(data[0]);
    const unsigned decimals = data[1] % 8;
    static const std::array<std::pair<long double, long double>, 4> ranges = {
        {{0, 0}, {0, 1e9L}, {-50, 50}, {5, 0}}};
    const auto [minValue, maxValue] = ranges[(data[1] / 8) % ranges.size()];
    const std::string text = fuzzText(data + 2, size - 2);

    if (!isTypeableNumberText(text, separators, decimals, minValue, maxValue))
        return 0;
    // The filter reads only the first 63 characters; a longer text is the leave check's.
    if (normalizeNumberText(text, separators).size() > 63)
        return 0;
    long double value = 0;
    try {
        value = applyRange(valueFromText(text, separators), minValue, maxValue);
    } catch (const EConvertError& e) {
        std::fprintf(stderr, "%s\n", e.message().c_str());
        FUZZ_CHECK(!"a text the filter let stand does not read");
    }
    if (std::fabs(value) >= 1e15L)
        return 0;
    const std::string rebuilt = formatFloat(value, editTextPattern(decimals), separators);
    FUZZ_CHECK(isTypeableNumberText(rebuilt, separators, decimals, minValue, maxValue));
    const long double back = valueFromText(rebuilt, separators);
    FUZZ_CHECK(std::fabs(back - value) <=
               0.5000001L * std::pow(10.0L, -int(decimals)) + 1e-15L * std::fabs(value));
    return 0;
}
