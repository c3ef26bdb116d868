#include "app/application.h"
#include "tests/support/qt/qt_printers.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <ostream>

namespace
{

struct TitleCase {
    const char* name;
    QString path;
    QString title;
};
void PrintTo(const TitleCase& c, std::ostream* os)
{
    *os << c.name;
}

class TitleRule : public ::testing::TestWithParam<TitleCase>
{
};

TEST_P(TitleRule, FromExecutablePath)
{
    EXPECT_EQ(applicationTitleFromPath(GetParam().path), GetParam().title);
}

const QString kLongFolder = QStringLiteral("/") + QString(248, u'd'); // 249 characters

INSTANTIATE_TEST_SUITE_P(
    Paths, TitleRule,
    ::testing::Values(TitleCase{"PlainName", "/usr/bin/naprawa", "naprawa"},
                      TitleCase{"CutAtFirstDot", "C:\\Programy\\ABC.DEF.EXE", "Abc"},
                      TitleCase{"LowerFirstStaysLower", "x.y.exe", "x"},
                      TitleCase{"RestLowered", "/opt/MAGAZYN/NaPrAwA", "Naprawa"},
                      TitleCase{"FirstKeepsItsCase", "/bin/aBC", "abc"},
                      TitleCase{"DotInFolderIgnored", "/home/a.b/Prog", "Prog"},
                      TitleCase{"BackslashAfterSlash", "D:/narzedzia\\Sub\\MAG.exe", "Mag"},
                      TitleCase{"PolishLettersLowered", "/opt/ŁÓDŹ.EXE", "Łódź"},
                      TitleCase{"NameStartingWithDot", "/opt/.ukryty", ""},
                      TitleCase{"NoNameAfterSeparator", "/opt/", ""},
                      TitleCase{"NoSeparatorAtAll", "Naprawa.EXE", "Naprawa"},
                      TitleCase{"OnlyFirst255Count", kLongFolder + "/ABCDEFGHIJ.EXE", "Abcde"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Title, ThisRunIsNamedAfterItsExecutable)
{
    // The test program is app_tests; the error display's caption comes from it.
    EXPECT_EQ(applicationTitle(), QStringLiteral("app_tests"));
}

} // namespace
