#include "stock/scan.h"
#include "tests/stock/counting_file_api.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/stock_builder.h"

#include <gtest/gtest.h>

namespace
{

struct Collect final : RecordSink {
    std::vector<std::string> names;
    void take(const StockRecord& r) override { names.push_back(fieldText(r, 1)); }
};

std::vector<std::string> scanNames(const std::string& bytes, ScanMethod method,
                                   const std::string& count = {})
{
    ScratchDir dir;
    writeFileBytes(dir.file("m.rek"), bytes);
    TRecordFile f;
    f.open(dir.file("m.rek"));
    Collect sink;
    runScan(f, method, FixedRepairInputs("", method, count), sink);
    f.close();
    return sink.names;
}

struct IntelligentCase {
    const char* label;
    int records;
    std::vector<int> blanks;
    int tail;
    std::size_t taken;
};

class IntelligentScan : public ::testing::TestWithParam<IntelligentCase>
{
};

TEST_P(IntelligentScan, TakesUpToAndIncludingTheThirdBlankName)
{
    const auto& c = GetParam();
    const auto names =
        scanNames(stockFileBytes(c.records, c.blanks, c.tail), ScanMethod::Intelligent);
    EXPECT_EQ(names.size(), c.taken);
}

INSTANTIATE_TEST_SUITE_P(Files, IntelligentScan,
                         ::testing::Values(IntelligentCase{"NoBlanks", 10, {}, 0, 10},
                                           IntelligentCase{"Blanks257", 10, {2, 5, 7}, 0, 7},
                                           IntelligentCase{"TwoBlanksOnly", 10, {2, 5}, 0, 10},
                                           IntelligentCase{
                                               "ThreeBlanksInARow", 10, {1, 2, 3}, 0, 3},
                                           IntelligentCase{"FourBlanks", 10, {2, 4, 6, 8}, 0, 6},
                                           IntelligentCase{"ThirdBlankIsLast", 7, {2, 5, 7}, 0, 7},
                                           IntelligentCase{"IncompleteTail", 3, {}, 100, 3},
                                           IntelligentCase{"Empty", 0, {}, 0, 0},
                                           IntelligentCase{"OnlyGarbage", 0, {}, 462, 0}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(IntelligentScan, TestsTheEndBeforeTheCounterInEveryPass)
{
    ScratchDir dir;
    writeFileBytes(dir.file("m.rek"), stockFileBytes(5, {1, 2, 3}));
    CountingFileApi os;
    TRecordFile f(os);
    f.open(dir.file("m.rek"));
    Collect sink;
    intelligentScan(f, sink);
    // Three passes that read, then the pass that ends on the counter still asks for the end.
    EXPECT_EQ(os.pattern(), "OPZRPZRPZRPZ");
}

TEST(CountedScan, ReadsExactlyNWithoutTestingTheEnd)
{
    ScratchDir dir;
    writeFileBytes(dir.file("m.rek"), stockFileBytes(10, {1, 2, 3}));
    CountingFileApi os;
    TRecordFile f(os);
    f.open(dir.file("m.rek"));
    Collect sink;
    countedScan(f, "5", sink);
    EXPECT_EQ(sink.names.size(), 5u);
    EXPECT_EQ(os.pattern(), "ORRRRR");
}

TEST(CountedScan, LeadingSpacesSignsAndHexPrefixesCountAlike)
{
    for (const char* text : {"  7", "+7", "$7", "0x7", "x7", "007"})
        EXPECT_EQ(scanNames(stockFileBytes(9), ScanMethod::Counted, text).size(), 7u) << text;
}

TEST(CountedScan, ZeroOrLessReadsNothing)
{
    for (const char* text : {"0", "-4", "$FFFFFFFF"})
        EXPECT_TRUE(scanNames(stockFileBytes(3), ScanMethod::Counted, text).empty()) << text;
}

} // namespace
