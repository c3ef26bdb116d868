// The pocket calculator fed key sequences: after every key the display is "Error" exactly in
// the error state and otherwise reads as a number, the error state ignores every key but "C",
// "C" always clears, and only "=" or "%" delivers a result. Input: a byte choosing the decimal
// separator and the start value, then one typed character per byte.

#include "controls/calculator/calculator_engine.h"
#include "runtime/float_text.h"
#include "tests/fuzz/fuzz_check.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const std::array<std::string_view, 3> separators = {".", ",", "\u066B"};
    static const std::array<long double, 8> starts = {
        0, 1, -1, 123.456L, 1e18L, -1e-300L, LDBL_MAX, 999999999999999.0L};
    const std::string_view separator = separators[data[0] % separators.size()];
    TCalculatorEngine engine;
    engine.Start(starts[(data[0] / 4) % starts.size()], std::string(separator));

    for (std::size_t i = 1; i < size; ++i) {
        // Half the bytes are keys as typed (Enter, letters, separators), half the key set.
        static constexpr std::string_view keys = "0123456789._\b+-*/=%QRC";
        const std::uint8_t b = data[i];
        const char key = b & 0x80 ? keys[b % keys.size()]
                                  : TCalculatorEngine::mapKey(std::string(1, char(b)), separator);
        const std::string before = engine.DisplayText();
        const TCalcState stateBefore = engine.State();
        const TCalculatorEngine::KeyOutcome outcome = engine.Key(key);

        FUZZ_CHECK((engine.State() == csError) == (engine.DisplayText() == "Error"));
        long double shown = 0;
        FUZZ_CHECK(engine.State() == csError ||
                   textToFloat(engine.DisplayText(), separator, shown));
        FUZZ_CHECK(std::isfinite(engine.Value()) && std::isfinite(engine.Operand()));
        FUZZ_CHECK(!outcome.deliver || key == '=' || key == '%');
        if (stateBefore == csError && key != 'C')
            FUZZ_CHECK(engine.State() == csError && engine.DisplayText() == before);
        if (key == 'C')
            FUZZ_CHECK(engine.State() == csFirstEntry && engine.DisplayText() == "0" &&
                       engine.pendingOperator() == '=');
    }
    return 0;
}
