#include "ansi_code_page.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace
{

// The C library's own converter is an independent reading of the code page.
std::string iconvToUtf8(const std::string& in)
{
    iconv_t cd = iconv_open("UTF-8", "CP1250");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string out(in.size() * 4, '\0');
    char* src = const_cast<char*>(in.data());
    char* dst = out.data();
    std::size_t srcLeft = in.size();
    std::size_t dstLeft = out.size();
    const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1))
        return {};
    out.resize(out.size() - dstLeft);
    return out;
}

TEST(AnsiCodePage, AgreesWithTheCLibraryOnEveryDefinedByte)
{
    int compared = 0;
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string reference = iconvToUtf8(byte);
        if (reference.empty())
            continue; // one of the bytes the code page leaves undefined
        EXPECT_EQ(utf8FromAnsi(byte), reference) << "byte " << b;
        ++compared;
    }
    EXPECT_GE(compared, 250);
}

TEST(AnsiCodePage, PolishLettersRoundTrip)
{
    const std::string polish = "Zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ";
    const std::string ansi = ansiFromUtf8(polish);
    EXPECT_EQ(ansi.size(), 35u);
    EXPECT_EQ(static_cast<unsigned char>(ansiFromUtf8("ą")[0]), 0xB9);
    EXPECT_EQ(static_cast<unsigned char>(ansiFromUtf8("Ł")[0]), 0xA3);
    EXPECT_EQ(utf8FromAnsi(ansi), polish);
}

TEST(AnsiCodePage, CharactersItCannotHoldBecomeQuestionMarks)
{
    EXPECT_EQ(ansiFromUtf8("ñ漢"), "??");
    EXPECT_EQ(ansiFromUtf8(std::string("\xff\xfe", 2)), "??");
}

} // namespace
