#include "controls/button_edit/file_name_rules_p.h"
#include "runtime/find_first.h"

#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace
{

std::string caseName(const char* name)
{
    return name;
}

struct TokenCase {
    const char* name;
    std::string text;
    std::string token;
};

class FirstToken : public ::testing::TestWithParam<TokenCase>
{
};

TEST_P(FirstToken, IsTakenLikeACommandLine)
{
    EXPECT_EQ(firstCommandLineToken(GetParam().text), GetParam().token);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FirstToken,
    ::testing::Values(
        TokenCase{"Empty", "", ""},
        TokenCase{"ControlCharactersAreBlanks",
                  "\x01\x1f"
                  "name\x7f",
                  "name\x7f"},
        TokenCase{"QuotedPathWithSpace", "\"/Moje dane/mag.dat\"", "/Moje dane/mag.dat"},
        TokenCase{"UnquotedPathWithSpaceStopsAtTheSpace", "/Moje dane/mag.dat", "/Moje"},
        TokenCase{"FirstOfSeveralQuotedPaths", "\"/a b/c.dat\" \"/d e/f.dat\"", "/a b/c.dat"},
        TokenCase{"QuotedStretchInsideAToken", "a\"b c\"d e", "ab cd"},
        TokenCase{"UnterminatedStretchRunsToTheEnd", "\"/a b/c", "/a b/c"},
        TokenCase{"LonePairOfQuotesIsSkipped", "\"\" mag.dat", "mag.dat"},
        TokenCase{"LoneQuoteGivesNoToken", "\"", ""},
        TokenCase{"QuotedBlankIsAToken", "\" \" x", " "},
        TokenCase{"PolishLettersPassUnchanged", "zażółć.dat gęś", "zażółć.dat"},
        TokenCase{"TokenLongerThanAnyBufferIsWhole", std::string(1000, 'x') + " y",
                  std::string(1000, 'x')}),
    [](const auto& info) { return caseName(info.param.name); });

struct ValidityCase {
    const char* name;
    std::string text;
    bool valid;
};

class Validity : public ::testing::TestWithParam<ValidityCase>
{
};

TEST_P(Validity, RefusesEmptyNamesAndTheSixCharacters)
{
    EXPECT_EQ(isValidFileName(GetParam().text), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Names, Validity,
                         ::testing::Values(ValidityCase{"Empty", "", false},
                                           ValidityCase{"Plain", "/dane/mag.dat", true},
                                           ValidityCase{"WithSpaces", "/Moje dane/mag.dat", true},
                                           ValidityCase{"LessThan", "a<b", false},
                                           ValidityCase{"GreaterThan", "a>b", false},
                                           ValidityCase{"DoubleQuote", "\"/a b/c\"", false},
                                           ValidityCase{"LeftBracket", "/dane/[1].dat", false},
                                           ValidityCase{"RightBracket", "x]", false},
                                           ValidityCase{"Bar", "a|b", false}),
                         [](const auto& info) { return caseName(info.param.name); });

struct QuotingCase {
    const char* name;
    std::string fileName;
    std::string text;
};

class Quoting : public ::testing::TestWithParam<QuotingCase>
{
};

TEST_P(Quoting, QuotesANameWithASpace)
{
    EXPECT_EQ(quotedFileName(GetParam().fileName), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Names, Quoting,
                         ::testing::Values(QuotingCase{"Empty", "", ""},
                                           QuotingCase{"NoSpace", "/dane/mag.dat", "/dane/mag.dat"},
                                           QuotingCase{"Space", "/Moje dane/mag.dat",
                                                       "\"/Moje dane/mag.dat\""},
                                           QuotingCase{"AlreadyQuoted", "\"/Moje dane/mag.dat\"",
                                                       "\"/Moje dane/mag.dat\""},
                                           QuotingCase{"QuoteNotFirst", "a\"b c", "\"a\"b c\""}),
                         [](const auto& info) { return caseName(info.param.name); });

// The designated name against a real folder:
//   mag.dat, Moje dane/mag.dat, a b/ (a folder), a c (a file), folder/
class Designated : public ::testing::Test
{
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        writeFileBytes(dir.file("mag.dat"), "x");
        fs::create_directory(dir.file("Moje dane"));
        writeFileBytes(dir.file("Moje dane/mag.dat"), "x");
        fs::create_directory(dir.file("a b"));
        writeFileBytes(dir.file("a c"), "x");
        fs::create_directory(dir.file("folder"));
    }
    std::string at(const std::string& name) const { return dir.file(name); }

    ScratchDir dir;
};

TEST_F(Designated, AnExistingFileIsTheTextUnchanged)
{
    EXPECT_EQ(designatedFileName(at("mag.dat")), at("mag.dat"));
    EXPECT_EQ(designatedFileName(at("Moje dane/mag.dat")), at("Moje dane/mag.dat"));
}

TEST_F(Designated, AMissingNameWithASpaceYieldsThePartBeforeIt)
{
    EXPECT_EQ(designatedFileName(at("Moje dane/brak.dat")), at("Moje"));
}

TEST_F(Designated, AQuotedNameLosesItsQuotes)
{
    EXPECT_EQ(designatedFileName('"' + at("Moje dane/mag.dat") + "\" reszta"),
              at("Moje dane/mag.dat"));
}

TEST_F(Designated, ADirectoryNeverCounts)
{
    EXPECT_EQ(designatedFileName(at("Moje dane")), at("Moje"));
    EXPECT_FALSE(findFirstFindsFile(at("folder")));
    EXPECT_FALSE(findFirstFindsFile(at("folder/")));
}

TEST_F(Designated, WildcardsMatchingAFileCountAsExisting)
{
    EXPECT_TRUE(findFirstFindsFile(at("m?g.dat")));
    EXPECT_EQ(designatedFileName(at("Moje dane/m*")), at("Moje dane/m*"));
    EXPECT_EQ(designatedFileName(at("Moje dane/*.txt")), at("Moje"));
}

TEST_F(Designated, OnlyTheFirstEntryTheLookupFindsCounts)
{
    // "a b" (a folder) comes before "a c" (a file), and "*" finds "." first.
    EXPECT_FALSE(findFirstFindsFile(at("a ?")));
    EXPECT_EQ(designatedFileName(at("a ?")), at("a"));
    EXPECT_FALSE(findFirstFindsFile(at("*")));
    EXPECT_TRUE(findFirstFindsFile(at("a?c")));
}

TEST_F(Designated, WildcardsInTheFolderFindNothing)
{
    EXPECT_FALSE(findFirstFindsFile(at("Moje*/mag.dat")));
}

TEST(DesignatedWithoutFiles, BlankTextsYieldNoName)
{
    EXPECT_EQ(designatedFileName(""), "");
    EXPECT_EQ(designatedFileName("   "), "");
}

} // namespace
