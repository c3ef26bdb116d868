// The floating-point reading of the count field and the number texts it writes: a refused
// text leaves the value alone, spaces around a number change nothing, and every text the
// field writes for a value (the general form, fixed decimals, the grouped display) reads back
// as that value within the rounding it shows. Input: a locale byte, the text, and after a
// line break a display pattern.

#include "runtime/exceptions.h"
#include "runtime/float_text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/number_locales.h"

#include <cfloat>
#include <cmath>

namespace
{

// The value a written text reads back as, under the same separators.
long double readBack(const std::string& text, const NumberSeparators& separators)
{
    long double value = 0;
    try {
        value = valueFromText(text, separators);
    } catch (const EConvertError&) {
        std::fprintf(stderr, "written text '%s' does not read back\n", text.c_str());
        FUZZ_CHECK(false);
    }
    return value;
}

bool near(long double a, long double b, long double absolute, long double relative)
{
    return std::fabs(a - b) <= absolute + relative * std::fabs(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const NumberSeparators& separators = fuzzSeparators(data[0]);
    const std::string input = fuzzText(data + 1, size - 1);
    const std::size_t cut = input.find('\n');
    const std::string text = input.substr(0, cut);
    const std::string pattern = cut == std::string::npos ? std::string() : input.substr(cut + 1);

    const long double untouched = 12345.678L;
    long double value = untouched;
    if (!textToFloat(text, separators.decimal, value)) {
        FUZZ_CHECK(value == untouched);
        return 0;
    }
    FUZZ_CHECK(std::isfinite(value));
    long double spaced = 0;
    FUZZ_CHECK(textToFloat("  " + text + "  ", separators.decimal, spaced) && spaced == value);

    // Written and read again. Values near the bottom of the range lose digits of their own.
    const long double relative = std::fabs(value) < LDBL_MIN * 1e20L ? 1.0L : 1e-14L;
    FUZZ_CHECK(near(readBack(formatFloatGeneral(value, 15, separators.decimal), separators), value,
                    0, relative));
    FUZZ_CHECK(near(readBack(formatFloatFixed(value, 2, separators.decimal), separators), value,
                    0.005000001L, 1e-16L));
    FUZZ_CHECK(near(readBack(formatFloat(value, ",0.##", separators), separators), value,
                    0.005000001L, 1e-14L));

    // Any display pattern writes something, whatever it asks for.
    formatFloat(value, pattern, separators);
    formatFloat(-value, pattern, separators);
    return 0;
}
