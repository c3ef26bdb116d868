#include "runtime/exceptions.h"
#include "runtime/float_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{

const NumberSeparators kC{".", ","};
const NumberSeparators kPolish{",", "\u00A0"};
const NumberSeparators kCommaDecimalDotGroup{",", "."};

// --- reading ---

struct Reads {
    const char* name;
    const char* text;
    long double value;
};

class ReadingAccepts : public ::testing::TestWithParam<Reads>
{
};

TEST_P(ReadingAccepts, GivesTheValue)
{
    long double value = -999;
    ASSERT_TRUE(textToFloat(GetParam().text, ",", value)) << "'" << GetParam().text << "'";
    EXPECT_EQ(value, GetParam().value) << "'" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadingAccepts,
    ::testing::Values(Reads{"Digits", "25", 25}, Reads{"Decimals", "12,5", 12.5L},
                      Reads{"SpacesAround", "  7  ", 7}, Reads{"PlusSign", "+7", 7},
                      Reads{"MinusSign", "-4,25", -4.25L}, Reads{"LoneSeparator", ",", 0},
                      Reads{"SeparatorThenDigits", ",5", 0.5L},
                      Reads{"DigitsThenSeparator", "5,", 5}, Reads{"BareExponentMark", "5e", 5},
                      Reads{"ExponentMarkAndSign", "5E+", 5}, Reads{"Exponent", "1e3", 1000},
                      Reads{"DecimalsAndExponent", "2,5e1", 25},
                      Reads{"NegativeExponent", "25E-1", 2.5L},
                      Reads{"ExponentWithLeadingZeros", "1e0000000003", 1000},
                      Reads{"BeyondDoubleWithinExtended", "1e500", 1e500L},
                      Reads{"CappedExponentReadFully", "0e4999", 0},
                      Reads{"TooSmallReadsAsZero", "1e-4999", 0},
                      Reads{"LongMantissa", "000000000000000000000000000012", 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Reading, KeepsTheSignOfZero)
{
    long double value = 1;
    ASSERT_TRUE(textToFloat("-,", ",", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(std::signbit(value));
}

TEST(Reading, TakesAMultiByteSeparator)
{
    long double value = 0;
    ASSERT_TRUE(textToFloat("3\u066B5", "\u066B", value));
    EXPECT_EQ(value, 3.5L);
}

struct Refused {
    const char* name;
    const char* text;
};

class ReadingRefuses : public ::testing::TestWithParam<Refused>
{
};

TEST_P(ReadingRefuses, LeavesTheValue)
{
    long double value = 42;
    EXPECT_FALSE(textToFloat(GetParam().text, ",", value)) << "'" << GetParam().text << "'";
    EXPECT_EQ(value, 42);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadingRefuses,
    ::testing::Values(Refused{"Empty", ""}, Refused{"Spaces", "   "}, Refused{"LonePlus", "+"},
                      Refused{"LoneMinus", "-"}, Refused{"ExponentMarkFirst", "e5"},
                      Refused{"SignThenExponent", "-E3"}, Refused{"TrailingLetter", "5x"},
                      Refused{"SpaceInside", "5 5"}, Refused{"SpaceAfterSign", "- 5"},
                      Refused{"TwoSeparators", "5,5,5"}, Refused{"OtherSeparator", "1.5"},
                      Refused{"TwoExponents", "5e5e5"}, Refused{"Tab", "\t5"},
                      Refused{"DigitsLeftAfterExponentCap", "0e5000"},
                      Refused{"NegativeDigitsLeftAfterCap", "1e-5000"},
                      Refused{"Overflow", "1,2e4932"}, Refused{"OverflowByExponent", "1e4999"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- normalising ---

struct Normalised {
    const char* name;
    NumberSeparators separators;
    const char* text;
    const char* expected;
};

class Normalising : public ::testing::TestWithParam<Normalised>
{
};

TEST_P(Normalising, GivesNumberText)
{
    EXPECT_EQ(normalizeNumberText(GetParam().text, GetParam().separators), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Normalising,
    ::testing::Values(
        Normalised{"C_GroupsDropped", kC, " 1,234.5 ", "1234.5"},
        Normalised{"C_CommaIsAGroup", kC, "1,5", "15"}, Normalised{"C_Empty", kC, "", "0"},
        Normalised{"C_OnlySpaces", kC, "   ", "0"}, Normalised{"C_LoneMinus", kC, "-", "-0"},
        Normalised{"C_OnlySpaceTrimmed", kC, "\t5 ", "\t5"},
        Normalised{"Polish_DotBecomesComma", kPolish, "1.5", "1,5"},
        Normalised{"Polish_NoBreakSpaceDropped", kPolish, "1\u00A0234,5", "1234,5"},
        Normalised{"Polish_PlainSpaceInsideStays", kPolish, "1 234", "1 234"},
        Normalised{"Polish_MinusInSpaces", kPolish, " - ", "-0"},
        Normalised{"DotGroup_DotsDroppedNotConverted", kCommaDecimalDotGroup, "1.234,5", "1234,5"},
        Normalised{"SameSeparators_NothingDeleted", NumberSeparators{",", ","}, "1.2,3", "1,2,3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValueFromText, NamesTheNormalisedTextWhenItDoesNotRead)
{
    try {
        valueFromText(" 1.2.3 ", kPolish);
        FAIL() << "converted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'1,2,3' is not a valid floating point value");
    }
    EXPECT_THROW(valueFromText("+", kC), EConvertError);
    EXPECT_EQ(valueFromText("", kC), 0);
    EXPECT_EQ(valueFromText("2\u00A0500", kPolish), 2500);
}

// --- formatting ---

struct Formatted {
    const char* name;
    long double value;
    const char* pattern;
    NumberSeparators separators;
    const char* expected;
};

class Formatting : public ::testing::TestWithParam<Formatted>
{
};

TEST_P(Formatting, WritesThePattern)
{
    const Formatted& p = GetParam();
    EXPECT_EQ(formatFloat(p.value, p.pattern, p.separators), p.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, Formatting,
    ::testing::Values(
        Formatted{"DisplayPolishGroups", 2500, ",0.##", kPolish, "2\u00A0500"},
        Formatted{"DisplayCGroupsAndDecimals", 1234567.891L, ",0.##", kC, "1,234,567.89"},
        Formatted{"DisplayZero", 0, ",0.##", kC, "0"},
        Formatted{"DisplayNegative", -1234.5L, ",0.##", kC, "-1,234.5"},
        Formatted{"DisplayHundreds", 999, ",0.##", kPolish, "999"},
        Formatted{"EditTextWhole", 25, "0.##", kC, "25"},
        Formatted{"EditTextPolishDecimals", 2.5L, "0.##", kPolish, "2,5"},
        Formatted{"EditTextNoGroups", 123456, "0.##", kC, "123456"},
        Formatted{"HalfRoundsAway", 0.125L, "0.##", kC, "0.13"},
        Formatted{"NegativeHalfRoundsAway", -0.125L, "0.##", kC, "-0.13"},
        Formatted{"RoundsTheDecimalDigits", 2.675L, "0.##", kC, "2.68"},
        Formatted{"RoundingCarries", 9.999L, "0.##", kC, "10"},
        Formatted{"RoundedZeroHasNoSign", -0.001L, "0.##", kC, "0"},
        Formatted{"NoDecimals", 7.5L, "0", kC, "8"},
        Formatted{"FixedDecimals", 5, "0.00", kC, "5.00"},
        Formatted{"LeadingZeros", 5, "000", kC, "005"},
        Formatted{"OptionalIntegerDigit", 0.5L, "#.##", kC, ".5"},
        Formatted{"GroupedHashes", 1234567, "#,##0", kC, "1,234,567"},
        Formatted{"NegativeSection", -5, "0;(0)", kC, "(5)"},
        Formatted{"ZeroSection", 0, "0;(0);'nic'", kC, "nic"},
        Formatted{"ZeroAfterRoundingTakesZeroSection", 0.001L, "0.##;;'zero'", kC, "zero"},
        Formatted{"EmptyNegativeSectionUsesFirst", -3, "0;;'zero'", kC, "-3"},
        Formatted{"QuotedSuffix", 12, "0' z\xC5\x82'", kC, "12 z\xC5\x82"},
        Formatted{"QuotedPlacesAndUnclosedQuote", 5, "0 \"0;#\" '.", kC, "5 0;# ."},
        Formatted{"LiteralPrefix", 12, "Nr 0", kC, "Nr 12"},
        Formatted{"LiteralBetweenDigitPlaces", 12, "0-0", kC, "1-2"},
        Formatted{"Scientific", 1234, "0.00E+00", kC, "1.23E+03"},
        Formatted{"ScientificNegativeExponent", 0.00012L, "0.0E-0", kPolish, "1,2E-4"},
        Formatted{"ScientificPlusHidden", 1234, "0.0e-00", kC, "1.2e03"},
        Formatted{"EmptyPatternIsGeneral", 7.25L, "", kPolish, "7,25"},
        Formatted{"HugeValueIsGeneral", 1e20L, ",0.##", kC, "1E20"}),
    [](const auto& info) { return std::string(info.param.name); });

struct General {
    const char* name;
    long double value;
    const char* expected;
};

class GeneralForm : public ::testing::TestWithParam<General>
{
};

TEST_P(GeneralForm, WritesFifteenDigits)
{
    EXPECT_EQ(formatFloatGeneral(GetParam().value, 15, ","), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralForm,
    ::testing::Values(
        General{"Zero", 0, "0"}, General{"NegativeZero", -0.0L, "0"}, General{"Whole", 25, "25"},
        General{"Negative", -12.5L, "-12,5"}, General{"Third", 1.0L / 3, "0,333333333333333"},
        General{"TwoThirdsRounded", 2.0L / 3, "0,666666666666667"},
        General{"FifteenIntegerDigits", 999999999999999.0L, "999999999999999"},
        General{"SixteenIntegerDigits", 1e15L, "1E15"}, General{"SmallestFixed", 0.0001L, "0,0001"},
        General{"SmallExponent", 0.00001L, "1E-5"},
        General{"ExponentWithDecimals", 1.5e-7L, "1,5E-7"}, General{"Large", 1.5e300L, "1,5E300"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- what may be typed ---

struct Typeable {
    const char* name;
    const char* text;
    unsigned decimalPlaces;
    long double minValue;
    long double maxValue;
    bool accepted;
};

class TypedText : public ::testing::TestWithParam<Typeable>
{
};

TEST_P(TypedText, IsAcceptedByTheFilterRules)
{
    const Typeable& p = GetParam();
    EXPECT_EQ(isTypeableNumberText(p.text, kPolish, p.decimalPlaces, p.minValue, p.maxValue),
              p.accepted)
        << "'" << p.text << "'";
}

const std::string kSixtyThreeDigits(63, '1');
const std::string kDigitsThenPlus = kSixtyThreeDigits + "+";
const std::string kDigitsThenLetter = kSixtyThreeDigits + "x";

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedText,
    ::testing::Values(
        Typeable{"LoneMinus", "-", 2, 0, 0, true}, Typeable{"LonePlus", "+", 2, 0, 0, false},
        Typeable{"PlusDigit", "+5", 2, 0, 0, true}, Typeable{"TwoDecimals", "12,34", 2, 0, 0, true},
        Typeable{"ThreeDecimals", "12,345", 2, 0, 0, false},
        Typeable{"DotCountsAsSeparator", "12.345", 2, 0, 0, false},
        Typeable{"DecimalsStopAtExponent", "1,23e5", 2, 0, 0, true},
        Typeable{"BareExponentMark", "1,2e", 2, 0, 0, true},
        Typeable{"ExponentMarkAlone", "e", 2, 0, 0, false},
        Typeable{"SpaceInside", "1 2", 2, 0, 0, false},
        Typeable{"LeadingSpaceTrimmed", " 5", 2, 0, 0, true},
        Typeable{"GroupSeparatorIgnored", "5\u00A0000", 2, 0, 0, true},
        Typeable{"Letter", "5a", 2, 0, 0, false},
        Typeable{"SeparatorWithNoDecimalsAllowed", "5,", 0, 0, 0, true},
        Typeable{"DecimalWithNoDecimalsAllowed", "5,1", 0, 0, 0, false},
        Typeable{"NegativeWithPositiveRange", "-5", 2, 0, 10, false},
        Typeable{"MinusZeroWithPositiveRange", "-", 2, 0, 10, true},
        Typeable{"NegativeWithoutRange", "-5", 2, 0, 0, true},
        Typeable{"NegativeWithNegativeLowerBound", "-5", 2, -10, 10, true},
        Typeable{"OnlyFirstSixtyThreeAreRead", kDigitsThenPlus.c_str(), 2, 0, 0, true},
        Typeable{"EveryCharacterIsChecked", kDigitsThenLetter.c_str(), 2, 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- range ---

struct Ranged {
    const char* name;
    long double value;
    long double minValue;
    long double maxValue;
    long double expected;
};

class RangeRule : public ::testing::TestWithParam<Ranged>
{
};

TEST_P(RangeRule, ClampsAsTheBoundsSay)
{
    const Ranged& p = GetParam();
    EXPECT_EQ(applyRange(p.value, p.minValue, p.maxValue), p.expected);
}

INSTANTIATE_TEST_SUITE_P(Bounds, RangeRule,
                         ::testing::Values(Ranged{"EqualBoundsNoRange", -5, 0, 0, -5},
                                           Ranged{"EqualNonZeroBoundsNoRange", 50, 3, 3, 50},
                                           Ranged{"BelowMin", -5, 0, 10, 0},
                                           Ranged{"AboveMax", 15, 0, 10, 10},
                                           Ranged{"Inside", 5, 0, 10, 5},
                                           Ranged{"MaxZeroBelowMinOnlyMinActs", 5, 10, 0, 10},
                                           Ranged{"MaxZeroBelowMinLeavesLarge", 50, 10, 0, 50},
                                           Ranged{"MinZeroAboveMaxOnlyMaxActs", 5, 0, -10, -10},
                                           Ranged{"MinZeroAboveMaxLeavesSmall", -50, 0, -10, -50},
                                           Ranged{"CrossedNonZeroBoundsDoNothing", 5, 10, 3, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RangeCheck, NamesBothBoundsWithTheDecimals)
{
    EXPECT_NO_THROW(checkRange(5, 1, 10, 2, ","));
    EXPECT_NO_THROW(checkRange(-5, 0, 0, 2, ","));
    try {
        checkRange(15, 1, 10, 2, ",");
        FAIL() << "in range";
    } catch (const ERangeError& e) {
        EXPECT_EQ(e.message(), "Value must be between 1,00 and 10,00");
    }
}

} // namespace
