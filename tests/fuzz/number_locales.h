#pragma once

#include "runtime/float_text.h"

#include <array>
#include <cstdint>

// Decimal point and group separator of the locales the count field meets (UTF-8): C, Polish
// (no-break space), German, Swiss, French (narrow no-break space) and one without grouping.
inline const NumberSeparators& fuzzSeparators(std::uint8_t choice)
{
    static const std::array<NumberSeparators, 6> locales = {{
        {".", ","},
        {",", "\u00A0"},
        {",", "."},
        {".", "'"},
        {",", "\u202F"},
        {".", ""},
    }};
    return locales[choice % locales.size()];
}
