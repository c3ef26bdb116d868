#include "stock/stock_record.h"
#include "tests/support/stock_builder.h"

#include <gtest/gtest.h>

namespace
{

TEST(FieldText, LengthByteAloneDecidesTheEnd)
{
    StockRecord r{};
    setRawField(r, 1, 0, "");
    EXPECT_EQ(fieldText(r, 1), "");
    setRawField(r, 2, 5, std::string("a\0b\nc", 5));
    EXPECT_EQ(fieldText(r, 2), std::string("a\0b\nc", 5));
}

TEST(FieldText, ALengthBeyondTheRoomRunsIntoTheNextFields)
{
    StockRecord r{};
    for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = static_cast<std::uint8_t>(i);
    r[5] = 40;
    const std::string text = fieldText(r, 1);
    ASSERT_EQ(text.size(), 40u);
    // Offsets 6 to 45: its own room, the length byte of field 2 and 8 of its characters.
    for (std::size_t i = 0; i < text.size(); ++i)
        EXPECT_EQ(static_cast<std::uint8_t>(text[i]), 6 + i);
}

TEST(FieldText, TheLastFieldEndsAtOffset348AtTheLatest)
{
    StockRecord r{};
    for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = static_cast<std::uint8_t>(i * 3);
    r[93] = 255;
    const std::string text = fieldText(r, 5);
    ASSERT_EQ(text.size(), 255u);
    EXPECT_EQ(static_cast<std::uint8_t>(text.front()), static_cast<std::uint8_t>(94 * 3));
    EXPECT_EQ(static_cast<std::uint8_t>(text.back()), static_cast<std::uint8_t>(348 * 3));
}

TEST(FieldText, FieldsStartAtTheirOffsets)
{
    const StockRecord r = makeRecord({"Śruba M6", "szt.", "KOD-1", "12,50", "Opis długi"});
    EXPECT_EQ(fieldText(r, 1), "Śruba M6");
    EXPECT_EQ(fieldText(r, 2), "szt.");
    EXPECT_EQ(fieldText(r, 3), "KOD-1");
    EXPECT_EQ(fieldText(r, 4), "12,50");
    EXPECT_EQ(fieldText(r, 5), "Opis długi");
}

struct NameCase {
    const char* label;
    std::string bytes;
    bool blank;
};

class BlankName : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(BlankName, TrimsBytesUpTo32Only)
{
    StockRecord r{};
    setRawField(r, 1, static_cast<std::uint8_t>(GetParam().bytes.size()), GetParam().bytes);
    EXPECT_EQ(isBlankName(r), GetParam().blank);
}

INSTANTIATE_TEST_SUITE_P(
    Names, BlankName,
    ::testing::Values(NameCase{"Empty", "", true}, NameCase{"Spaces", "    ", true},
                      NameCase{"ZeroBytes", std::string(3, '\0'), true},
                      NameCase{"Tabs", "\t\t", true}, NameCase{"Byte32And1", "\x20\x01\x1f", true},
                      NameCase{"FullStop", ".", false}, NameCase{"SpacedName", "  A  ", false},
                      NameCase{"Byte33", "!", false}, NameCase{"NoBreakSpace", "\xa0", false},
                      NameCase{"PolishLetter", "\xb9", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(BlankName, ALongLengthTakesTheNextFieldIntoAccount)
{
    StockRecord r{};
    r[5] = 40; // runs over field 2's length byte and 8 of its characters
    for (int i = 6; i <= 45; ++i)
        r[i] = ' ';
    r[37] = 0;
    EXPECT_TRUE(isBlankName(r));
    r[45] = 'x';
    EXPECT_FALSE(isBlankName(r));
}

} // namespace
