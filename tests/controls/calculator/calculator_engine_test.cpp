#include "controls/calculator/calculator_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace
{

struct Separator {
    const char* name;
    const char* decimal;
};

const Separator kSeparators[] = {{"C", "."}, {"Polish", ","}};

// "{d}" becomes the decimal separator.
std::string localised(std::string text, const std::string& decimal)
{
    for (std::size_t at = text.find("{d}"); at != std::string::npos; at = text.find("{d}", at)) {
        text.replace(at, 3, decimal);
        at += decimal.size();
    }
    return text;
}

struct Typed {
    int beeps = 0;
    int deliveries = 0;
};

// Types each character (or <bs>, <enter>) through the key mapping, as the field hands keys on.
Typed type(TCalculatorEngine& engine, const std::string& keys)
{
    Typed typed;
    for (std::size_t i = 0; i < keys.size();) {
        std::string one;
        if (keys.compare(i, 4, "<bs>") == 0) {
            one = "\b";
            i += 4;
        } else if (keys.compare(i, 7, "<enter>") == 0) {
            one = "\r";
            i += 7;
        } else {
            std::size_t n = 1;
            while (i + n < keys.size() && (static_cast<unsigned char>(keys[i + n]) & 0xC0) == 0x80)
                ++n;
            one = keys.substr(i, n);
            i += n;
        }
        const char key = TCalculatorEngine::mapKey(one, engine.DecimalSeparator());
        EXPECT_NE(key, 0) << "not a calculator key: " << one;
        const TCalculatorEngine::KeyOutcome outcome = engine.Key(key);
        typed.beeps += outcome.beep;
        typed.deliveries += outcome.deliver;
    }
    return typed;
}

struct Step {
    const char* name;
    long double start;
    const char* keys;
    const char* display;
    TCalcState state;
    int beeps;
    int deliveries;
};

// clang-format off
const Step kSteps[] = {
    // typing
    {"DigitsReplaceTheStartingValue", 12, "34", "34", csEntering, 0, 0},
    {"LeadingZerosCollapse", 0, "0007", "7", csEntering, 0, 0},
    {"FifteenDigitsThenABeep", 0, "1234567890123456", "123456789012345", csEntering, 1, 0},
    {"SixteenCharactersWithAMinus", 0, "12_34567890123456", "-123456789012345", csEntering, 1, 0},
    {"SeparatorCountsTowardsTheLimit", 0, "12345678901234{d}5", "12345678901234{d}", csEntering, 1, 0},
    {"DecimalPointOnce", 0, "1{d}5{d}2", "1{d}52", csEntering, 0, 0},
    {"DotAndCommaBothTypeThePoint", 0, "1.5,2", "1{d}52", csEntering, 0, 0},
    {"DecimalPointStartsANewNumberAtZero", 7, "{d}5", "0{d}5", csEntering, 0, 0},
    {"NothingTypedIntoAnExponent", 0, "0{d}0000001_5{d}", "-1E-7", csEntering, 0, 0},
    {"BackspaceDropsTheLastCharacter", 0, "123<bs>", "12", csEntering, 0, 0},
    {"BackspaceOnTheLastDigitLeavesZero", 0, "5<bs>", "0", csEntering, 0, 0},
    {"BackspaceOnMinusAndADigitLeavesZero", 0, "5_<bs>", "0", csEntering, 0, 0},
    {"BackspaceDropsTheSeparator", 0, "2{d}<bs>3", "23", csEntering, 0, 0},
    {"BackspaceEndsTheFirstEntry", 12, "<bs>", "0", csEntering, 0, 0},
    {"SignOfTheStartingValue", 12, "_", "-12", csFirstEntry, 0, 0},
    {"SignThenADigitStartsANewNumber", 12, "_3", "3", csEntering, 0, 0},
    {"SignOfATypedFraction", 0, "0{d}5_", "-0{d}5", csEntering, 0, 0},
    {"SignOfZeroIsZero", 0, "_", "0", csFirstEntry, 0, 0},
    // the four operators
    {"AddToTheStartingValue", 12, "+3<enter>", "15", csFirstEntry, 0, 1},
    {"LeftToRightWithoutPrecedence", 0, "2+3*4=", "20", csFirstEntry, 0, 1},
    {"OperatorShowsTheRunningResult", 0, "2+3*", "5", csFirstEntry, 0, 0},
    {"SubtractBelowZero", 0, "3-5=", "-2", csFirstEntry, 0, 1},
    {"FifteenSignificantDigits", 0, "1/3=", "0{d}333333333333333", csFirstEntry, 0, 1},
    {"ResultWithTheSeparator", 1, "/4=", "0{d}25", csFirstEntry, 0, 1},
    {"SecondOperatorReplacesThePendingOne", 0, "2+*3=", "6", csFirstEntry, 0, 1},
    {"EqualsAgainDeliversTheSameResult", 0, "2+3==", "5", csFirstEntry, 0, 2},
    {"DeliveryRewritesTheTypedDisplay", 0, "2{d}50=", "2{d}5", csFirstEntry, 0, 1},
    {"DigitAfterAResultStartsANewNumber", 0, "2+3=7", "7", csEntering, 0, 1},
    // percent
    {"PercentOfASum", 0, "200+10%", "220", csFirstEntry, 0, 1},
    {"PercentOfAProduct", 0, "200*10%", "20", csFirstEntry, 0, 1},
    {"PercentOfAQuotient", 0, "200/10%", "2000", csFirstEntry, 0, 1},
    {"PercentAloneDeliversTheNumber", 0, "50%", "50", csFirstEntry, 0, 1},
    // square root and reciprocal
    {"SquareRoot", 0, "16Q", "4", csFirstEntry, 0, 0},
    {"SquareRootRounded", 0, "2Q", "1{d}4142135623731", csFirstEntry, 0, 0},
    {"Reciprocal", 0, "4r", "0{d}25", csFirstEntry, 0, 0},
    {"RootThenOperatorUsesTheRoot", 0, "9Q+1=", "4", csFirstEntry, 0, 1},
    // errors
    {"DivisionByZero", 0, "5/0=", "Error", csError, 1, 0},
    {"ErrorIgnoresEveryKeyButC", 0, "5/0==7+Q_<bs>", "Error", csError, 1, 0},
    {"DivisionByZeroThroughPercent", 0, "5/0%", "Error", csError, 1, 0},
    {"SquareRootOfANegative", 0, "4_Q", "Error", csError, 1, 0},
    {"ReciprocalOfZero", 0, "0R", "Error", csError, 1, 0},
    {"ProductBeyondTheRange", 1e4925L, "*100000000000000=", "Error", csError, 1, 0},
    {"ClearLeavesTheError", 0, "5/0=C", "0", csFirstEntry, 1, 0},
    {"ClearForgetsThePendingOperator", 0, "2+C3=", "3", csFirstEntry, 0, 1},
};
// clang-format on

class CalculatorSteps : public ::testing::TestWithParam<std::tuple<Separator, Step>>
{
};

TEST_P(CalculatorSteps, ShowWhatAPocketCalculatorShows)
{
    const auto& [separator, step] = GetParam();
    TCalculatorEngine engine;
    engine.Start(step.start, separator.decimal);
    const Typed typed = type(engine, localised(step.keys, separator.decimal));
    EXPECT_EQ(engine.DisplayText(), localised(step.display, separator.decimal));
    EXPECT_EQ(engine.State(), step.state);
    EXPECT_EQ(typed.beeps, step.beeps);
    EXPECT_EQ(typed.deliveries, step.deliveries);
}

INSTANTIATE_TEST_SUITE_P(Keys, CalculatorSteps,
                         ::testing::Combine(::testing::ValuesIn(kSeparators),
                                            ::testing::ValuesIn(kSteps)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

TEST(CalculatorStart, ShowsTheValueInTheGeneralFormAndWaitsForANewNumber)
{
    TCalculatorEngine engine;
    engine.Start(1e20L, ",");
    EXPECT_EQ(engine.DisplayText(), "1E20");
    engine.Start(-2.5L, ",");
    EXPECT_EQ(engine.DisplayText(), "-2,5");
    EXPECT_EQ(engine.State(), csFirstEntry);
    EXPECT_EQ(engine.pendingOperator(), '=');
}

TEST(CalculatorStart, ForgetsTheLastCalculation)
{
    TCalculatorEngine engine;
    engine.Start(0, ".");
    type(engine, "5/0=");
    ASSERT_EQ(engine.State(), csError);
    engine.Start(6, ".");
    EXPECT_EQ(type(engine, "*2=").deliveries, 1);
    EXPECT_EQ(engine.DisplayText(), "12") << "the pending operator was reset";
}

TEST(CalculatorValue, IsTheDisplayedNumberAndZeroInError)
{
    TCalculatorEngine engine;
    engine.Start(0, ",");
    type(engine, "12,5");
    EXPECT_EQ(engine.Value(), 12.5L);
    type(engine, "/0=");
    EXPECT_EQ(engine.Value(), 0);
}

TEST(CalculatorValue, OfAMultiByteSeparator)
{
    TCalculatorEngine engine;
    engine.Start(0.5L, "\u066B");
    EXPECT_EQ(engine.DisplayText(), "0\u066B5");
    type(engine, "<bs><bs>7\u066B25");
    EXPECT_EQ(engine.DisplayText(), "7\u066B25");
    EXPECT_EQ(engine.Value(), 7.25L);
}

struct Mapping {
    const char* typed;
    char key;
};

class CalculatorKeyMapping : public ::testing::TestWithParam<Mapping>
{
};

TEST_P(CalculatorKeyMapping, MapsTypedCharactersOntoKeys)
{
    EXPECT_EQ(TCalculatorEngine::mapKey(GetParam().typed, ","), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Typed, CalculatorKeyMapping,
                         ::testing::Values(Mapping{".", '.'}, Mapping{",", '.'}, Mapping{"\r", '='},
                                           Mapping{"q", 'Q'}, Mapping{"r", 'R'}, Mapping{"c", 'C'},
                                           Mapping{"\b", '\b'}, Mapping{"_", '_'},
                                           Mapping{"%", '%'}, Mapping{"e", 0}, Mapping{" ", 0},
                                           Mapping{"x", 0}, Mapping{"", 0}, Mapping{"12", 0}));

} // namespace
