#include "companion.h"
#include "exceptions.h"
#include "figures_text.h"
#include "scratch_dir.h"
#include "stock_builder.h"
#include "stock_figures.h"
#include "writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace
{

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome companionRun(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int code = companion::run(args, out, err);
    return {code, out.str(), err.str()};
}

struct UsageCase {
    const char* label;
    std::vector<std::string> args;
    int code;
    const char* said; // in the output for 0, on standard error otherwise
};

class CompanionUsage : public ::testing::TestWithParam<UsageCase>
{
};

TEST_P(CompanionUsage, ExitsWithItsCode)
{
    const Outcome r = companionRun(GetParam().args);
    EXPECT_EQ(r.code, GetParam().code);
    EXPECT_NE((r.code == 0 ? r.out : r.err).find(GetParam().said), std::string::npos)
        << r.out << r.err;
    if (r.code != 0) {
        EXPECT_EQ(r.out, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CompanionUsage,
    ::testing::Values(UsageCase{"Help", {"--help"}, 0, "Exit codes: 0 done; 1"},
                      UsageCase{"Version", {"--version"}, 0, "naprawa-cli "},
                      UsageCase{"NoCommand", {}, 2, "no command"},
                      UsageCase{"UnknownOption", {"repair", "--szybko", "a", "b"}, 2, "--szybko"},
                      UsageCase{"InspectWithoutFiles", {"inspect", "--json"}, 2, "at least one"},
                      UsageCase{"RepairOneFile", {"repair", "a"}, 2, "STOCK and an OUTPUT"},
                      UsageCase{"RepairAsJson", {"repair", "--json", "a", "b"}, 2, "--json"},
                      UsageCase{"CountWithoutANumber",
                                {"repair", "a", "b", "--count"},
                                2,
                                "--count needs a number"}),
    [](const auto& info) { return std::string(info.param.label); });

struct StockCase {
    const char* label;
    int records;
    std::vector<int> blanks;
    int tail;
    // what inspect tells
    std::uint64_t intelligent;
    bool atThirdBlank;
};

class CompanionOnStock : public ::testing::TestWithParam<StockCase>
{
protected:
    void SetUp() override
    {
        const auto& c = GetParam();
        bytes = stockFileBytes(c.records, c.blanks, c.tail);
        writeFileBytes(stock, bytes);
    }

    ScratchDir dir;
    std::string stock = dir.file("magazyn.rek");
    std::string bytes;
};

TEST_P(CompanionOnStock, InspectTellsTheFigures)
{
    const auto& c = GetParam();
    const StockFigures f = inspectStockFile(stock);
    EXPECT_EQ(f.size, bytes.size());
    EXPECT_EQ(f.records, std::uint64_t(c.records));
    EXPECT_EQ(f.tail, std::uint64_t(c.tail));
    EXPECT_EQ(f.blankNames, c.blanks.size());
    const std::size_t listed = std::min<std::size_t>(c.blanks.size(), 10);
    EXPECT_EQ(f.firstBlankNames,
              std::vector<std::uint64_t>(c.blanks.begin(), c.blanks.begin() + listed));
    EXPECT_EQ(f.intelligentRecords, c.intelligent);
    EXPECT_EQ(f.stopsAtThirdBlankName, c.atThirdBlank);
    EXPECT_EQ(readFileBytes(stock), bytes) << "inspect wrote";
}

// The companion's repair against the window's writer on the same file, for both scans; the
// counted scans read up to and one past the largest count inspect gives.
TEST_P(CompanionOnStock, RepairWritesWhatTheWindowsWriterWrites)
{
    const std::uint64_t max = inspectStockFile(stock).countedMax();
    const std::vector<std::string> counts = {"", std::to_string(max),
                                             "$" + std::to_string(max + 1)};
    for (const std::string& count : counts) {
        SCOPED_TRACE("count '" + count + "'");
        const std::string window = dir.file("okno.rek");
        const std::string cli = dir.file("cli.rek");
        std::string windowMessage;
        try {
            writeRepairedFile(
                FixedRepairInputs(
                    stock, count.empty() ? ScanMethod::Intelligent : ScanMethod::Counted, count),
                window);
        } catch (const Exception& e) {
            windowMessage = displayedMessage(e);
        }
        std::vector<std::string> args = {"repair", "--force", stock, cli};
        if (!count.empty())
            args.insert(args.begin() + 1, {"--count", count});
        const Outcome r = companionRun(args);
        EXPECT_EQ(readFileBytes(cli), readFileBytes(window));
        EXPECT_EQ(r.code, windowMessage.empty() ? 0 : 1);
        EXPECT_EQ(r.err, windowMessage.empty() ? "" : windowMessage + "\n");
        if (windowMessage.empty()) {
            const std::size_t records = readFileBytes(cli).size() / 463;
            EXPECT_EQ(r.out, std::to_string(records) + (records == 1 ? " record, " : " records, ") +
                                 std::to_string(records * 463) + " bytes → " + cli + "\n");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, CompanionOnStock,
    ::testing::Values(
        StockCase{"Damaged", 40, {12, 25, 33}, 200, 33, true},
        StockCase{"TwoBlanks", 10, {2, 5}, 0, 10, false},
        StockCase{"ThirdBlankIsTheLast", 5, {1, 2, 5}, 0, 5, true},
        // only the first ten are listed
        StockCase{"ManyBlanks", 24, {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24}, 0, 6, true},
        StockCase{"OnlyATornTail", 0, {}, 462, 0, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(CompanionInspect, ShowsTheFiguresToAPersonAndAsJson)
{
    ScratchDir dir;
    const std::string stock = dir.file("uszkodzony.rek");
    writeFileBytes(stock, stockFileBytes(40, {12, 25, 33}, 200));
    const Outcome text = companionRun({"inspect", stock});
    EXPECT_EQ(text.code, 0);
    EXPECT_EQ(text.out, stock +
                            "\n"
                            "  size         18720 bytes: 40 whole records and a torn tail of "
                            "200 bytes\n"
                            "  blank names  3 records: 12, 25, 33\n"
                            "  intelligent  takes 33 records, up to the third blank name at 33\n"
                            "  counted      takes at most 40 records without \"Read beyond end "
                            "of file\"\n");
    const Outcome json = companionRun({"inspect", "--json", stock, dir.file("brak.rek")});
    EXPECT_EQ(json.code, 1);
    EXPECT_EQ(json.out, "{\"file\":" + jsonString(stock) +
                            ",\"size\":18720,\"records\":40,\"tail\":200,\"blank_names\":{"
                            "\"count\":3,\"first\":[12,25,33]},\"intelligent_scan\":{\"records\":"
                            "33,\"stops_at\":\"third_blank_name\"},\"counted_scan_max\":40}\n"
                            "{\"file\":" +
                            jsonString(dir.file("brak.rek")) +
                            ",\"error\":{\"code\":2,\"message\":\"File not found.\"}}\n");
    EXPECT_EQ(json.err, dir.file("brak.rek") + ": File not found.\n");
}

TEST(CompanionInspect, JsonStringsEscapeWhatJsonCannotHold)
{
    EXPECT_EQ(jsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(jsonString("\t\n\x01\x7f"), "\"\\u0009\\u000a\\u0001\\u007f\"");
    EXPECT_EQ(jsonString("Śruba żółta"), "\"Śruba żółta\"");
    // Not UTF-8: a lone continuation byte, an overlong "/", a cut sequence, a surrogate.
    EXPECT_EQ(jsonString("\x80|\xC0\xAF|\xC5|\xED\xA0\x80"),
              "\"\\ufffd|\\ufffd\\ufffd|\\ufffd|\\ufffd\\ufffd\\ufffd\"");
}

class CompanionRepair : public ::testing::Test
{
protected:
    void SetUp() override { writeFileBytes(stock, stockFileBytes(5)); }

    ScratchDir dir;
    std::string stock = dir.file("magazyn.rek");
    std::string output = dir.file("wynik.rek");
};

TEST_F(CompanionRepair, ReplacesAnExistingOutputOnlyWhenForced)
{
    writeFileBytes(output, "poprzedni");
    const Outcome refused = companionRun({"repair", stock, output});
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("--force"), std::string::npos);
    EXPECT_EQ(readFileBytes(output), "poprzedni");
    EXPECT_EQ(companionRun({"repair", "--force", stock, output}).code, 0);
    EXPECT_EQ(readFileBytes(output), readFileBytes(stock));
}

TEST_F(CompanionRepair, ACountThatIsNoIntegerChangesNoFile)
{
    writeFileBytes(output, "poprzedni");
    const Outcome r = companionRun({"repair", "--force", "--count=12,5", stock, output});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "'12,5' is not a valid integer value.\n");
    EXPECT_EQ(readFileBytes(output), "poprzedni");
}

TEST_F(CompanionRepair, FailuresShowTheWindowsMessagesAndCreateNothing)
{
    const Outcome missing = companionRun({"repair", dir.file("brak.rek"), output});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "File not found.\n");
    EXPECT_FALSE(fileExists(output));
    const Outcome itself = companionRun({"repair", "--force", stock, stock});
    EXPECT_EQ(itself.code, 1);
    EXPECT_EQ(itself.err, "The repaired file cannot be saved over the stock file itself.\n");
    EXPECT_EQ(readFileBytes(stock), stockFileBytes(5));
}

} // namespace
