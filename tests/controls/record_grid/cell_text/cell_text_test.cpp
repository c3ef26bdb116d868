// The cell text renderers without a window: cell kinds, the plain line layout, wide text, and
// what mark-up and rich text turn into; random bytes for the two readers.

#include "controls/common/tcolor.h"
#include "controls/record_grid/cell_text/cell_kind.h"
#include "controls/record_grid/cell_text/markup_renderer.h"
#include "controls/record_grid/cell_text/plain_text_renderer.h"
#include "controls/record_grid/cell_text/rtf_renderer.h"
#include "controls/record_grid/cell_text/wide_text_renderer.h"
#include "controls/record_grid/grid_fonts_p.h"
#include "tests/support/qt/qt_printers.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace
{

using namespace std::string_literals;

// --- cell kinds ---

struct KindCase {
    const char* name;
    std::string text;
    bool markup;
    CellKind kind;
};

class CellKindTest : public ::testing::TestWithParam<KindCase>
{
};

TEST_P(CellKindTest, FirstMatchingRuleDecides)
{
    EXPECT_EQ(cellKind(GetParam().text, GetParam().markup), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    CellKind, CellKindTest,
    ::testing::Values(KindCase{"Empty", "", true, CellKind::Empty},
                      KindCase{"FormulaEvenWithATag", "=<B>1</B>", true, CellKind::Formula},
                      KindCase{"Wide",
                               "|\\\x00"
                               "A"s,
                               true, CellKind::Wide},
                      KindCase{"WideBeforeRich", "|\\{\\", true, CellKind::Wide},
                      KindCase{"Rich", "{\\rtf1 x}", true, CellKind::Rich},
                      KindCase{"RichBeforeMarkup", "{\\b <B>x}", true, CellKind::Rich},
                      KindCase{"ClosingTagAnywhere", "a</x", true, CellKind::Markup},
                      KindCase{"BoldTagInCapitals", "<B>x", true, CellKind::Markup},
                      KindCase{"LineBreakTagStartsWithB", "a<BR>b", true, CellKind::Markup},
                      KindCase{"ItalicMarkerAlone", "x<I", true, CellKind::Markup},
                      KindCase{"LowerCaseTagIsNoMarker", "<b>x", true, CellKind::Plain},
                      KindCase{"AngleBracketsWithoutMarker", "M8 <500> g", true, CellKind::Plain},
                      KindCase{"MarkupSwitchedOff", "<B>x</B>", false, CellKind::Plain},
                      KindCase{"BarWithoutBackslash", "|x", true, CellKind::Plain}),
    [](const auto& info) { return std::string(info.param.name); });

// --- plain text layout ---

class PlainLayout : public ::testing::Test
{
protected:
    PlainLayout() : font(storedGridFont(false)) {}

    // Lines as their pieces joined by "|".
    std::vector<QString> lines(const QString& text, qreal width, bool wordBreak = true,
                               int maxLines = 100) const
    {
        std::vector<QString> out;
        for (const auto& line : PlainTextRenderer(wordBreak).layout(
                 text, font, static_cast<int>(std::ceil(width)), maxLines)) {
            QStringList pieces;
            for (const auto& piece : line)
                pieces << piece.text;
            out.push_back(pieces.join(u'|'));
        }
        return out;
    }
    qreal width(const QString& s) const { return font.advance(s); }
    qreal charByChar(const QString& s) const
    {
        qreal w = 0;
        for (const QChar c : s)
            w += font.advance(c);
        return w;
    }

    CellFont font;
};

TEST_F(PlainLayout, BreaksBetweenWordsAndDropsTheBlanksAtTheBreak)
{
    EXPECT_EQ(lines("Ala ma   kota", width("Ala ma") + 1),
              (std::vector<QString>{"Ala|ma", "kota"}));
    EXPECT_EQ(
        PlainTextRenderer().layout("Ala ma   kota", font, int(width("Ala ma") + 1), 9)[1][0].x, 0);
}

TEST_F(PlainLayout, BreaksAtEveryKindOfLineBreak)
{
    EXPECT_EQ(lines("a\r\nb\rc\nd", 1000), (std::vector<QString>{"a", "b", "c", "d"}));
    EXPECT_EQ(lines("a\n\nb", 1000), (std::vector<QString>{"a", "", "b"}));
}

TEST_F(PlainLayout, BreaksAWordWiderThanTheLineAfterTheLastCharacterThatFits)
{
    EXPECT_EQ(lines("Abcdefgh ij", charByChar("Abc") + 0.5),
              (std::vector<QString>{"Abc", "def", "gh", "ij"}));
    // Even a line narrower than one character takes one.
    EXPECT_EQ(lines("ab", 1), (std::vector<QString>{"a", "b"}));
}

TEST_F(PlainLayout, KeepsBlanksAtTheStartOfATextLine)
{
    const auto laid = PlainTextRenderer().layout(" \tx", font, 1000, 9);
    ASSERT_EQ(laid.size(), 1u);
    EXPECT_EQ(laid[0][0].x, 8 * font.averageCharWidth());
}

TEST_F(PlainLayout, TabsAdvanceToTheNextMultipleOfEightAverageWidths)
{
    const int stop = 8 * font.averageCharWidth();
    const auto laid = PlainTextRenderer().layout("a\tb\tc", font, 1000, 9);
    ASSERT_EQ(laid.size(), 1u);
    ASSERT_EQ(laid[0].size(), 3u);
    EXPECT_EQ(laid[0][1].x, stop);
    EXPECT_EQ(laid[0][2].x, 2 * stop);
    const QString longer = QString(9, u'm') + "\tz";
    ASSERT_GT(width(QString(9, u'm')), stop);
    EXPECT_EQ(PlainTextRenderer().layout(longer, font, 1000, 9)[0][1].x, 2 * stop);
}

TEST_F(PlainLayout, WithoutWordBreakingOnlyLineBreaksEndALine)
{
    EXPECT_EQ(lines("Ala ma kota\nx", 5, false), (std::vector<QString>{"Ala|ma|kota", "x"}));
}

TEST_F(PlainLayout, StopsAtTheLinesAsked)
{
    EXPECT_EQ(lines("a b c d", 1, true, 2), (std::vector<QString>{"a", "b"}));
}

// Ink rows of an image: rows holding any pixel that is not white.
std::vector<int> inkRows(const QImage& image)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                rows.push_back(y);
                break;
            }
    return rows;
}

QImage paintPlain(const QString& text, const CellFont& font, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    PlainTextRenderer().paint(p, image.rect(), text, font, Qt::black);
    return image;
}

TEST_F(PlainLayout, DrawsASecondLineOnlyWhenItFitsWholly)
{
    const int h = font.height();
    const std::vector<int> oneLine = inkRows(paintPlain("Ąg", font, {60, 2 * h - 1}));
    ASSERT_FALSE(oneLine.empty());
    EXPECT_EQ(inkRows(paintPlain("Ąg\nĄg", font, {60, 2 * h - 1})), oneLine);
    EXPECT_GT(inkRows(paintPlain("Ąg\nĄg", font, {60, 2 * h})).back(), h);
}

TEST_F(PlainLayout, DrawsTheFirstLineEvenWhenTheRectangleIsLowerThanALine)
{
    // Zoomed in, the fonts grow faster than the rows.
    EXPECT_FALSE(inkRows(paintPlain("Ąg", font, {60, font.height() - 3})).empty());
}

TEST(WideText, TakesBytePairsHighByteFirstAndIgnoresAnOddLastByte)
{
    EXPECT_EQ(WideTextRenderer::decode("\x01\x05\x00"
                                       "A\x20\xAC\x7F"s),
              QString::fromUtf8("ąA€"));
    EXPECT_EQ(WideTextRenderer::decode("\x00"s), QString());
}

// --- mark-up and rich text ---

class StyledReaders : public ::testing::Test
{
protected:
    StyledReaders()
        : font(storedGridFont(false)),
          palette(QApplication::palette()), cell{font, Qt::black, QColor(Qt::blue), palette, fonts}
    {
    }

    StyledText markup(std::string_view s) const { return MarkupRenderer().parse(s, cell); }
    StyledText rtf(std::string_view s) const { return RtfRenderer().parse(s, cell); }

    // The style of the run holding the first occurrence of the text.
    static TextStyle styleOf(const StyledText& t, const QString& piece)
    {
        for (const auto& run : t.runs())
            if (run.text.contains(piece))
                return run.style;
        ADD_FAILURE() << "no run holds " << piece.toStdString();
        return {};
    }

    CellFont font;
    CellFontCache fonts;
    QPalette palette;
    CellTextContext cell;
};

struct ShownCase {
    const char* name;
    std::string text;
    const char* shown; // UTF-8, "\n" for a line break
};

class MarkupShows : public StyledReaders, public ::testing::WithParamInterface<ShownCase>
{
};

TEST_P(MarkupShows, TheCharactersLeftAfterReading)
{
    EXPECT_EQ(markup(GetParam().text).plainText(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Markup, MarkupShows,
    ::testing::Values(ShownCase{"TagsAreHidden", "a</X>b<B>c</B>", "abc"},
                      ShownCase{"OpenTagHidesTheRest", "Towar</B dalej", "Towar"},
                      ShownCase{"LineBreakTag", "a<BR>b<br/>c", "a\nb\nc"},
                      ShownCase{"AmpReferenceShowsOneAmpersand", "A&amp;B</>", "A&B"},
                      ShownCase{"ReplacedUntilNoneIsLeft", "&amp;amp;amp;</>", "&&"},
                      ShownCase{"SymbolsOfTheCodePage",
                                "&quot;&sect;&permil;&reg;&copy;&para;&trade;&euro;</>",
                                "\"§‰®©¶™€"},
                      ShownCase{"RunReferencesNeverMakeTags", "&lt;B&gt;x&nbsp;y</>", "<B>x y"},
                      ShownCase{"RunReferencesOnlyInsideRuns", "<FONT FACE=\"&lt;\">x</FONT>", "x"},
                      ShownCase{"LoneAmpersandVanishes", "Ala&Kot&</>", "AlaKot"},
                      ShownCase{"DoubledAmpersandShowsOne", "a&&b</>", "a&b"},
                      ShownCase{"CodePageBytes",
                                "\xA3\xF3"
                                "d\x9F</>",
                                "Łódź"},
                      ShownCase{"TabsAndLineBreaksAreSpaces", "a\tb\r\nc</>", "a b  c"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StyledReaders, MarkupSwitchesAndRestoresTheLook)
{
    const StyledText t = markup("n<b>B</B>n<I>I</i><U>U</U><S>S</S><SUB>d</SUB><SUP>u</SUP>");
    EXPECT_FALSE(styleOf(t, "n").font.bold());
    EXPECT_TRUE(styleOf(t, "B").font.bold());
    EXPECT_TRUE(styleOf(t, "I").font.italic());
    EXPECT_TRUE(styleOf(t, "U").font.underline());
    EXPECT_TRUE(styleOf(t, "S").font.strikeOut());
    EXPECT_EQ(styleOf(t, "d").script, TextStyle::Script::Lowered);
    EXPECT_EQ(styleOf(t, "u").script, TextStyle::Script::Raised);
}

TEST_F(StyledReaders, AmpersandUnderlinesTheNextCharacterOnly)
{
    const StyledText t = markup("A&Bc</>");
    EXPECT_FALSE(styleOf(t, "A").font.underline());
    EXPECT_TRUE(styleOf(t, "B").font.underline());
    EXPECT_FALSE(styleOf(t, "c").font.underline());
    EXPECT_EQ(t, markup("A<U>B</U>c"));
}

TEST_F(StyledReaders, FontTagChangesFaceColourSizeAndBackgroundUntilItCloses)
{
    const StyledText t = markup("<FONT BGCOLOR=\"#00FF00\" face=\"DejaVu Serif\" COLOR=\"#0000ff\" "
                                "SIZE=\"3\">x</FONT>y");
    const TextStyle x = styleOf(t, "x");
    EXPECT_EQ(x.color, QColor(0, 0, 255));
    EXPECT_EQ(x.background, QColor(0, 255, 0));
    EXPECT_EQ(x.font.family(), "DejaVu Serif");
    EXPECT_EQ(x.font.pixelSize(), 16); // 12 points
    const TextStyle y = styleOf(t, "y");
    EXPECT_EQ(y.color, QColor(Qt::black));
    EXPECT_FALSE(y.background.isValid());
    EXPECT_EQ(y.font, font.font());
}

struct ColourCase {
    const char* name;
    const char* value;
    QColor (*expected)(); // the cell's ink when the value is no colour
};

class MarkupColour : public StyledReaders, public ::testing::WithParamInterface<ColourCase>
{
};

TEST_P(MarkupColour, IsReadFromHexOrName)
{
    const StyledText t = markup("<FONT COLOR=\"" + std::string(GetParam().value) + "\">x</FONT>");
    EXPECT_EQ(styleOf(t, "x").color, GetParam().expected());
}

QColor ink()
{
    return Qt::black;
}

INSTANTIATE_TEST_SUITE_P(
    Markup, MarkupColour,
    ::testing::Values(ColourCase{"Hex", "#B6CAEA", [] { return QColor(182, 202, 234); }},
                      ColourCase{"StandardName", "clRed", [] { return QColor(255, 0, 0); }},
                      ColourCase{"NameInCapitals", "CLNAVY", [] { return QColor(0, 0, 128); }},
                      ColourCase{"SystemName", "clBtnFace",
                                 [] { return QApplication::palette().color(QPalette::Button); }},
                      ColourCase{"UnknownName", "red", ink}, ColourCase{"ShortHex", "#F00", ink},
                      ColourCase{"BadHexDigit", "#GG0000", ink}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StyledReaders, SizesAreHtmlStepsOrPoints)
{
    const auto pixels = [&](const char* size) {
        return styleOf(markup("<FONT SIZE=\"" + std::string(size) + "\">x</FONT>"), "x")
            .font.pixelSize();
    };
    EXPECT_EQ(pixels("1"), 11); // 8 points
    EXPECT_EQ(pixels("5"), 21); // 16 points
    EXPECT_EQ(pixels("24"), 32);
    EXPECT_EQ(pixels("0"), font.font().pixelSize());
    EXPECT_EQ(pixels("big"), font.font().pixelSize());
}

TEST_F(StyledReaders, LinkNeedsAQuotedTargetAndTakesTheLinkColour)
{
    const StyledText t = markup("<A HREF=\"x\">l</A>n<A>m</A>");
    EXPECT_EQ(styleOf(t, "l").color, QColor(Qt::blue));
    EXPECT_TRUE(styleOf(t, "l").font.underline());
    EXPECT_FALSE(styleOf(t, "n").font.underline());
    EXPECT_FALSE(styleOf(t, "m").font.underline());
}

class RtfShows : public StyledReaders, public ::testing::WithParamInterface<ShownCase>
{
};

TEST_P(RtfShows, TheTextOfTheSubset)
{
    EXPECT_EQ(rtf(GetParam().text).plainText(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Rtf, RtfShows,
    ::testing::Values(
        ShownCase{"TablesAreNotShown",
                  "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}{\\colortbl;\\red255;}\\f0\\fs16 Ala}",
                  "Ala"},
        ShownCase{"StarredGroupsAreNotShown", "{\\rtf1{\\*\\generator x 1.0;}y}", "y"},
        ShownCase{"ParagraphsAndLines", "{\\rtf1 a\\par b\\line c}", "a\nb\nc"},
        ShownCase{"HexEscapesAreCodePageBytes", "{\\rtf1 \\'a3\\'f3d\\'9f}", "Łódź"},
        ShownCase{"UnicodeSkipsItsStandIn", "{\\rtf1 \\u8364?x\\uc2\\u-3941??y}", "€x\uF09By"},
        ShownCase{"EscapedSymbols", "{\\rtf1 \\{\\}\\\\\\~x}", "{}\\\u00A0x"},
        ShownCase{"LineBreakCharactersIgnored", "{\\rtf1 jeden\r\ndwa}", "jedendwa"},
        ShownCase{"SpaceAfterAControlWordBelongsToIt", "{\\rtf1\\b  x}", " x"},
        ShownCase{"SurplusBracesIgnored", "{\\}}}x{", "}x"},
        ShownCase{"CutShort", "{\\rtf1 a\\'4", "a"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StyledReaders, RtfGroupsKeepTheirFormatting)
{
    const StyledText t = rtf("{\\rtf1 {\\b B\\i I}n\\ul U\\ul0 n\\strike S\\plain p}");
    EXPECT_TRUE(styleOf(t, "B").font.bold());
    EXPECT_TRUE(styleOf(t, "I").font.italic());
    EXPECT_FALSE(styleOf(t, "n").font.bold());
    EXPECT_TRUE(styleOf(t, "U").font.underline());
    EXPECT_TRUE(styleOf(t, "S").font.strikeOut());
    EXPECT_FALSE(styleOf(t, "p").font.strikeOut());
    EXPECT_EQ(rtf("{\\rtf1 \\b Towar}"), markup("<B>Towar</B>"));
}

// --- random bytes ---

// A text made to hit the readers' corners: random bytes, or pieces of their syntax at random.
std::string randomText(std::mt19937& random)
{
    static const char* const kPieces[] = {
        "<",     ">",     "</",         "<B>",   "<I",       "<FONT ",  "COLOR=\"", "SIZE=\"",
        "\"",    "#",     "&",          "&amp;", "&lt;",     "&nbsp;",  "&euro",    "{",
        "}",     "\\",    "\\'",        "\\u",   "-",        "9999999", "\\b0",     "\\*",
        "\\par", "\\uc3", "{\\fonttbl", "<BR>",  "<A HREF=", "x",       " ",        "\xFF"};
    std::string text;
    const int length = std::uniform_int_distribution<int>(0, 300)(random);
    const bool pieces = random() % 2 == 0;
    while (static_cast<int>(text.size()) < length) {
        if (pieces)
            text += kPieces[random() % std::size(kPieces)];
        else
            text += static_cast<char>(random() % 256);
    }
    return text;
}

class RandomBytes : public StyledReaders
{
protected:
    // Reads the text from a view into a longer buffer and from an exact-size copy of its own:
    // a reader that looked past the view's end would see the tail and read differently.
    template <typename Reader> void readsOnlyTheText(Reader read)
    {
        std::mt19937 random(20240501);
        QImage image(322, 21, QImage::Format_ARGB32_Premultiplied);
        for (int round = 0; round < 3000; ++round) {
            const std::string text = randomText(random);
            const std::string buffer = text + ">}<B>\\par x&amp;\"";
            const std::vector<char> exact(text.begin(), text.end());
            const StyledText fromView = read(std::string_view(buffer.data(), text.size()));
            const StyledText fromCopy = read(std::string_view(exact.data(), exact.size()));
            ASSERT_EQ(fromView, fromCopy) << "round " << round;
            QPainter p(&image);
            StyledTextLayout(StyledTextLayout::LineRule::FirstLineThenCellLines)
                .paint(p, image.rect(), fromCopy, font, fonts);
        }
    }
};

TEST_F(RandomBytes, MarkupReaderStaysInsideTheText)
{
    readsOnlyTheText([&](std::string_view s) { return markup(s); });
}

TEST_F(RandomBytes, RtfReaderStaysInsideTheText)
{
    readsOnlyTheText([&](std::string_view s) { return rtf(s); });
}

} // namespace
