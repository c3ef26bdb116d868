#include "runtime/exceptions.h"

#include <gtest/gtest.h>

namespace
{

struct CodeMessage {
    std::uint32_t code;
    const char* message;
};

class InOutErrorMessage : public ::testing::TestWithParam<CodeMessage>
{
};

TEST_P(InOutErrorMessage, FollowsFromTheCodeAlone)
{
    const EInOutError e(GetParam().code);
    EXPECT_EQ(e.code(), GetParam().code);
    EXPECT_EQ(e.message(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, InOutErrorMessage,
    ::testing::Values(CodeMessage{2, "File not found"}, CodeMessage{3, "Invalid filename"},
                      CodeMessage{4, "Too many open files"}, CodeMessage{5, "File access denied"},
                      CodeMessage{100, "Read beyond end of file"}, CodeMessage{101, "Disk full"},
                      CodeMessage{106, "Invalid numeric input"}, CodeMessage{1, "I/O error 1"},
                      CodeMessage{6, "I/O error 6"}, CodeMessage{32, "I/O error 32"},
                      CodeMessage{123, "I/O error 123"}, CodeMessage{0, "I/O error 0"},
                      CodeMessage{4294967295u, "I/O error 4294967295"}));

struct DisplayCase {
    const char* message;
    const char* shown;
};

class DisplayedMessage : public ::testing::TestWithParam<DisplayCase>
{
};

TEST_P(DisplayedMessage, GetsAFullStopAfterACharacterAboveIt)
{
    EXPECT_EQ(displayedMessage(Exception(GetParam().message)), GetParam().shown);
    EXPECT_EQ(displayedMessage(std::runtime_error(GetParam().message)), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Messages, DisplayedMessage,
                         ::testing::Values(DisplayCase{"File not found", "File not found."},
                                           DisplayCase{"I/O error 32", "I/O error 32."},
                                           DisplayCase{"Koniec.", "Koniec."},
                                           DisplayCase{"(x)", "(x)"}, DisplayCase{"a-", "a-"},
                                           DisplayCase{"a/", "a/."},
                                           DisplayCase{"zażółć", "zażółć."}, DisplayCase{"", ""}));

TEST(ErrorClasses, AreCaughtAsTheGeneralError)
{
    EXPECT_THROW(throw EInOutError(2), Exception);
    EXPECT_THROW(throw EConvertError("x"), Exception);
    EXPECT_THROW(throw ERangeError("x"), Exception);
    EXPECT_THROW(throw EButtonEditError("x"), Exception);
    EXPECT_THROW(throw EAbort(), Exception);
}

} // namespace
