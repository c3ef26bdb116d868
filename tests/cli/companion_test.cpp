#include "cli/companion.h"
#include "cli/figures_text.h"
#include "cli/stock_blocks.h"
#include "cli/stock_figures.h"
#include "runtime/exceptions.h"
#include "runtime/system_file_names.h"
#include "stock/writer.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/stock_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

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
                      UsageCase{"HelpAfterACommand", {"inspect", "a", "-h"}, 0, "--json"},
                      UsageCase{"Version", {"--version"}, 0, "naprawa-cli "},
                      UsageCase{"VersionAfterACommand", {"repair", "-V"}, 0, "naprawa-cli "},
                      UsageCase{"NoCommand", {}, 2, "naprawa-cli: A subcommand is required"},
                      UsageCase{"UnknownOption", {"repair", "--szybko", "a", "b"}, 2, "--szybko"},
                      UsageCase{"UnknownShortOption", {"inspect", "-j", "a"}, 2, "-j"},
                      UsageCase{"InspectWithoutFiles", {"inspect", "--json"}, 2, "STOCK"},
                      UsageCase{"RepairOneFile", {"repair", "a"}, 2, "OUTPUT"},
                      UsageCase{"RepairAsJson", {"repair", "--json", "a", "b"}, 2, "--json"},
                      UsageCase{
                          "CountWithoutANumber", {"repair", "a", "b", "--count"}, 2, "--count"},
                      // an unset variable in a script
                      UsageCase{"EmptyName", {"inspect", "a", ""}, 2, "empty file name"},
                      UsageCase{"StandardInput", {"inspect", "-"}, 2, "name a file"}),
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
// counted scans read up to and one past the largest count inspect gives. Where the writer fails
// part-way, the companion leaves no output at all.
TEST_P(CompanionOnStock, RepairWritesWhatTheWindowsWriterWrites)
{
    const std::uint64_t max = inspectStockFile(stock).countedMax();
    const std::vector<std::string> counts = {"", std::to_string(max),
                                             "$" + std::to_string(max + 1)};
    for (const std::string& count : counts) {
        SCOPED_TRACE("count '" + count + "'");
        const std::string window = dir.file("okno.rek");
        const std::string cli = dir.file("cli.rek");
        std::filesystem::remove(cli);
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
        EXPECT_EQ(r.code, windowMessage.empty() ? 0 : 1);
        EXPECT_EQ(r.err, windowMessage.empty()
                             ? ""
                             : "naprawa-cli: " + stock + ": " + windowMessage + "\n");
        EXPECT_EQ(fileExists(cli), windowMessage.empty());
        if (windowMessage.empty()) {
            EXPECT_EQ(readFileBytes(cli), readFileBytes(window));
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
        StockCase{"OnlyATornTail", 0, {}, 462, 0, false},
        // the companion reads blocks of records: the third blank name just past the first
        StockCase{"ThirdBlankInTheSecondBlock",
                  StockBlocks::kRecords + 3,
                  {1, StockBlocks::kRecords, StockBlocks::kRecords + 2},
                  100,
                  StockBlocks::kRecords + 2,
                  true}),
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
    EXPECT_EQ(json.out, "{\"file\":\"" + stock + "\"" +
                            ",\"size\":18720,\"records\":40,\"tail\":200,\"blank_names\":{"
                            "\"count\":3,\"first\":[12,25,33]},\"intelligent_scan\":{\"records\":"
                            "33,\"stops_at\":\"third_blank_name\"},\"counted_scan_max\":40}\n"
                            "{\"file\":\"" +
                            dir.file("brak.rek") +
                            "\",\"error\":{\"code\":2,\"message\":\"File not found.\"}}\n");
    EXPECT_EQ(json.err, "naprawa-cli: " + dir.file("brak.rek") + ": File not found.\n");
}

struct NameCase {
    const char* label;
    std::string name;
    std::string shown; // in the text report and the messages
    std::string json;  // the name's fields in a JSON object
};

class CompanionNames : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(CompanionNames, ReachNeitherTheTerminalNorJsonUnescaped)
{
    EXPECT_EQ(shownName(GetParam().name), GetParam().shown);
    EXPECT_EQ(figuresErrorJson(GetParam().name, 2, "m"),
              "{" + GetParam().json + ",\"error\":{\"code\":2,\"message\":\"m\"}}");
}

INSTANTIATE_TEST_SUITE_P(
    Names, CompanionNames,
    ::testing::Values(
        NameCase{"Polish", "Śruba \"żółta\"", "Śruba \"żółta\"", R"("file":"Śruba \"żółta\"")"},
        NameCase{"Controls", "a\x1b[2Jb\n\x7f", R"(a\x1b[2Jb\x0a\x7f)",
                 "\"file\":\"a\\u001b[2Jb\\n\x7f\""},
        // U+009B starts a terminal command as ESC [ does
        NameCase{"C1Control",
                 "a\xc2\x9b"
                 "2J",
                 R"(a\xc2\x9b2J)",
                 "\"file\":\"a\xc2\x9b"
                 "2J\""},
        // the same name in code pages 1250 and 8859-2, once UTF-8 is given up
        NameCase{"Windows1250", "z\xb3y", R"(z\xb3y)",
                 "\"file\":\"z\uFFFDy\",\"file_hex\":\"7ab379\""},
        NameCase{"Iso8859_2", "z\xb9y", R"(z\xb9y)",
                 "\"file\":\"z\uFFFDy\",\"file_hex\":\"7ab979\""},
        // an overlong "/", a surrogate, a cut sequence
        NameCase{"NotUtf8", "\xC0\xAF\xED\xA0\x80\xC5", R"(\xc0\xaf\xed\xa0\x80\xc5)",
                 "\"file\":\"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\",\"file_hex\":\"c0afeda080c5\""},
        // "/" overlong in three bytes
        NameCase{"Overlong3", "a\xE0\x80\xAF", R"(a\xe0\x80\xaf)",
                 "\"file\":\"a\uFFFD\uFFFD\uFFFD\",\"file_hex\":\"61e080af\""}),
    [](const auto& info) { return std::string(info.param.label); });

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

// Every refusal and failure leaves an existing output as it was, --force or not, and nothing
// beside it: the stock file and the output are all the folder holds afterwards.
TEST_F(CompanionRepair, FailuresKeepTheOldOutputAndNameTheirFile)
{
    writeFileBytes(output, "poprzedni");
    const std::string missing = dir.file("brak.rek");
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {{"repair", "--force", "--count=12,5", stock, output},
         1,
         "naprawa-cli: '12,5' is not a valid integer value.\n"},
        {{"repair", "--force", "--count", "6", stock, output},
         1,
         "naprawa-cli: " + stock + ": Read beyond end of file.\n"},
        {{"repair", "--force", missing, output},
         1,
         "naprawa-cli: " + missing + ": File not found.\n"},
        {{"repair", "--force", stock, stock},
         1,
         "naprawa-cli: " + stock +
             ": The repaired file cannot be saved over the stock file itself.\n"},
        {{"repair", "--force", "", output},
         2,
         "naprawa-cli: an empty file name\nTry 'naprawa-cli --help'.\n"},
        {{"repair", "--force", stock, dir.path()},
         2,
         "naprawa-cli: " + dir.path() +
             " is a folder; OUTPUT names the file to write\nTry "
             "'naprawa-cli --help'.\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = companionRun(c.args);
        EXPECT_EQ(r.code, c.code) << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(readFileBytes(output), "poprzedni") << c.err;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << c.err;
    }
    EXPECT_EQ(readFileBytes(stock), stockFileBytes(5));
}

TEST_F(CompanionRepair, NamesTheCodePageCannotHoldAreRefusedNotMapped)
{
    const std::string wanted = dir.file("wynik-\u0101.rek"); // a with macron, in no Windows-125x
    if (systemCanName(wanted))
        GTEST_SKIP() << "this system reaches every name";
    const std::string lookAlike = dir.file("wynik-a.rek");
    writeFileBytes(lookAlike, "poprzedni");
    const Outcome r = companionRun({"repair", "--force", stock, wanted});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "naprawa-cli: " + wanted +
                         ": The system's ANSI code page cannot represent this name.\n");
    EXPECT_EQ(readFileBytes(lookAlike), "poprzedni");
}

TEST_F(CompanionRepair, AReadOnlyStockFileIsReadAndItsBitsCarriedOver)
{
#ifndef _WIN32
    // A private stock file gives a private copy; the umask still takes its share.
    ::chmod(stock.c_str(), 0460);
    const mode_t mask = ::umask(027);
    const Outcome r = companionRun({"repair", stock, output});
    ::umask(mask);
    struct stat st {
    };
    ASSERT_EQ(::stat(output.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0440u);
#else
    makeReadOnly(stock);
    const Outcome r = companionRun({"repair", stock, output});
#endif
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(readFileBytes(output), readFileBytes(stock));
    EXPECT_EQ(companionRun({"inspect", stock}).code, 0);
}

TEST_F(CompanionRepair, ADanglingLinkIsReplacedOnlyWhenForced)
{
    const std::string target = dir.file("cel.rek");
    std::error_code noLinks;
    std::filesystem::create_symlink(target, output, noLinks);
    if (noLinks)
        GTEST_SKIP() << "no symbolic links here: " << noLinks.message();
    EXPECT_EQ(companionRun({"repair", stock, output}).code, 2);
    EXPECT_FALSE(fileExists(target));
    EXPECT_EQ(companionRun({"repair", "--force", stock, output}).code, 0);
    EXPECT_FALSE(std::filesystem::is_symlink(output));
    EXPECT_FALSE(fileExists(target));
    EXPECT_EQ(readFileBytes(output), readFileBytes(stock));
}

} // namespace
