// The integer rule of the count text: held against the plain reference of the rule, its error
// quoting the whole text, and every value it gives read back from the texts it can be written
// as.

#include "runtime/exceptions.h"
#include "runtime/integer_text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/scan_reference.h"

#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = fuzzText(data, size);
    std::int32_t value = 0;
    const bool converts = tryStrToInt(text, value);
    const std::optional<std::int32_t> expected = referenceInteger(text);
    FUZZ_CHECK(converts == expected.has_value());
    FUZZ_CHECK(!converts || value == *expected);

    try {
        FUZZ_CHECK(strToInt(text) == value && converts);
    } catch (const EConvertError& e) {
        FUZZ_CHECK(!converts && e.message() == "'" + text + "' is not a valid integer value");
    }
    if (!converts)
        return 0;

    std::int32_t again = 0;
    FUZZ_CHECK(tryStrToInt(std::to_string(value), again) && again == value);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", static_cast<std::uint32_t>(value));
    FUZZ_CHECK(tryStrToInt(hex, again) && again == value);
    FUZZ_CHECK(tryStrToInt("   " + text, again) && again == value);
    FUZZ_CHECK(!tryStrToInt(text + " ", again));
    return 0;
}
