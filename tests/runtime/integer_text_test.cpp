#include "runtime/exceptions.h"
#include "runtime/integer_text.h"

#include <gtest/gtest.h>

namespace
{

struct Converts {
    const char* text;
    std::int32_t value;
};

class IntegerRuleAccepts : public ::testing::TestWithParam<Converts>
{
};

TEST_P(IntegerRuleAccepts, GivesTheValue)
{
    EXPECT_EQ(strToInt(GetParam().text), GetParam().value) << "'" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    CountTexts, IntegerRuleAccepts,
    ::testing::Values(Converts{"7", 7}, Converts{"  7", 7}, Converts{"+7", 7}, Converts{"-4", -4},
                      Converts{"007", 7}, Converts{"$7", 7}, Converts{"x7", 7}, Converts{"X7", 7},
                      Converts{"0x7", 7}, Converts{"0X1f", 31}, Converts{"$FFFFFFFF", -1},
                      Converts{"$80000000", INT32_MIN}, Converts{"2147483647", INT32_MAX},
                      Converts{"-2147483648", INT32_MIN}, Converts{"-0", 0}, Converts{"0", 0},
                      Converts{"$000000001", 1}));

class IntegerRuleRefuses : public ::testing::TestWithParam<const char*>
{
};

TEST_P(IntegerRuleRefuses, WithTheWholeTextInTheMessage)
{
    const std::string text = GetParam();
    try {
        strToInt(text);
        FAIL() << "'" << text << "' converted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'" + text + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(CountTexts, IntegerRuleRefuses,
                         ::testing::Values("", " ", "7 ", "12,5", "1 000", "1.5", "\t7", "+", "-",
                                           "$", "0x", "x", "-$5", "+0x5", "abc", "2147483648",
                                           "-2147483649", "$100000000", "7a", "$G",
                                           "99999999999999999999"));

} // namespace
