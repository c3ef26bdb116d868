#include "runtime/oem_code_page.h"

#include "runtime/ansi_code_page.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <optional>
#include <string>

namespace
{

// The system's own converter is an independent reading of the code page (Windows' code page
// 852, or the C library's): the UTF-32 of one byte, or nothing when it has none.
#ifdef _WIN32
std::optional<char32_t> iconvCharOf(std::uint8_t byte)
{
    const char in = static_cast<char>(byte);
    wchar_t wide[2];
    if (::MultiByteToWideChar(852, MB_ERR_INVALID_CHARS, &in, 1, wide, 2) != 1)
        return std::nullopt;
    return static_cast<char32_t>(wide[0]);
}
#else
std::optional<char32_t> iconvCharOf(std::uint8_t byte)
{
    iconv_t cd = iconv_open("UTF-32LE", "CP852");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    char in = static_cast<char>(byte);
    unsigned char out[8] = {};
    char* src = &in;
    char* dst = reinterpret_cast<char*>(out);
    std::size_t srcLeft = 1;
    std::size_t dstLeft = sizeof out;
    const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || sizeof out - dstLeft != 4)
        return std::nullopt;
    return out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24);
}
#endif

TEST(OemCodePage, AgreesWithTheCLibraryOnEveryByte)
{
    for (int b = 0; b < 256; ++b) {
        const auto reference = iconvCharOf(static_cast<std::uint8_t>(b));
        ASSERT_TRUE(reference) << "the C library has no CP852 reading of byte " << b;
        EXPECT_EQ(oemToUnicode(static_cast<std::uint8_t>(b)), *reference) << "byte " << b;
    }
}

TEST(OemCodePage, EveryByteComesBackFromItsCharacter)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(unicodeToOem(oemToUnicode(static_cast<std::uint8_t>(b))), b) << "byte " << b;
}

struct RoundTripCase {
    const char* name;
    char32_t typed;
    char32_t kept;
};

class OemRoundTrip : public ::testing::TestWithParam<RoundTripCase>
{
};

TEST_P(OemRoundTrip, KeepsWhatBothCodePagesHold)
{
    EXPECT_EQ(oemRoundTrip(GetParam().typed), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, OemRoundTrip,
    ::testing::Values(
        RoundTripCase{"AsciiLetter", U'a', U'a'}, RoundTripCase{"Backslash", U'\\', U'\\'},
        RoundTripCase{"Space", U' ', U' '}, RoundTripCase{"PolishSmallL", U'ł', U'ł'},
        RoundTripCase{"PolishCapitalZDot", U'Ż', U'Ż'}, RoundTripCase{"PolishSmallA", U'ą', U'ą'},
        RoundTripCase{"GermanSharpS", U'ß', U'ß'},
        RoundTripCase{"NoBreakSpace", U'\u00A0', U'\u00A0'},
        // in Windows-1250 but not in 852
        RoundTripCase{"Euro", U'€', U'?'}, RoundTripCase{"LowDoubleQuote", U'„', U'?'},
        RoundTripCase{"Ellipsis", U'…', U'?'}, RoundTripCase{"Copyright", U'©', U'?'},
        RoundTripCase{"Micro", U'µ', U'?'},
        // in 852 but not in Windows-1250
        RoundTripCase{"BoxDrawing", U'║', U'?'}, RoundTripCase{"LightShade", U'░', U'?'},
        // in neither
        RoundTripCase{"Cyrillic", U'ж', U'?'},
        RoundTripCase{"OutsideTheBasicPlane", U'\U0001F600', U'?'}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OemRoundTrip, LosesExactlyTheAnsiBytesThatCodePage852Lacks)
{
    // Both code pages are Central European: of the 128 high Windows-1250 bytes, those whose
    // character 852 holds survive; the rest become '?'.
    int survived = 0;
    for (int b = 0x80; b < 0x100; ++b) {
        const std::string ansi(1, static_cast<char>(b));
        const std::string back = oemToAnsi(ansiToOem(ansi));
        const char32_t ch = ansiToUnicode(static_cast<std::uint8_t>(b));
        if (unicodeToOem(ch) != '?') {
            EXPECT_EQ(back, ansi) << "byte " << b;
            ++survived;
        } else {
            EXPECT_EQ(back, "?") << "byte " << b;
        }
    }
    // 99 of them are shared (the letters and a few signs); a change to either table shows.
    EXPECT_EQ(survived, 99);
}

TEST(OemRoundTrip, ConvertsAStringByteForByte)
{
    const std::string ansi = ansiFromUtf8("C:\\Dane\\Zażółć gęślą jaźń €.dat");
    EXPECT_EQ(utf8FromAnsi(oemToAnsi(ansiToOem(ansi))), "C:\\Dane\\Zażółć gęślą jaźń ?.dat");
}

} // namespace
