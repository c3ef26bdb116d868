#include "runtime/ansi_code_page.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace
{

// The system's own converter is an independent reading of the code page: Windows' code page
// 1250, or the C library's.
#ifdef _WIN32
std::string iconvToUtf8(const std::string& in)
{
    wchar_t wide[8];
    const int n = ::MultiByteToWideChar(1250, MB_ERR_INVALID_CHARS, in.data(),
                                        static_cast<int>(in.size()), wide, 8);
    if (n <= 0)
        return {};
    char out[32];
    const int m = ::WideCharToMultiByte(CP_UTF8, 0, wide, n, out, sizeof out, nullptr, nullptr);
    return std::string(out, static_cast<std::size_t>(m > 0 ? m : 0));
}
#else
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
#endif

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
    // So does each byte that is no UTF-8: stray bytes, overlong forms of "/", a surrogate.
    for (const auto& [utf8, ansi] : {std::pair<std::string, std::string>{"\xff\xfe", "??"},
                                     {"\xC0\xAF", "??"},
                                     {"\xE0\x80\xAF", "???"},
                                     {"a\xED\xA0\x80", "a???"}})
        EXPECT_EQ(ansiFromUtf8(utf8), ansi) << utf8;
}

} // namespace
