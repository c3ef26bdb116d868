#include "tools/stock_sample.h"

#include "runtime/ansi_code_page.h"
#include "stock/stock_record.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace
{

// The rooms of text fields 1 to 5 as the stock record defines them; field 5 is bounded by
// its length byte.
constexpr std::size_t kRooms[kTextFieldCount] = {31, 31, 12, 10, 255};

StockRecord recordAt(const std::vector<std::uint8_t>& bytes, std::uint64_t index)
{
    StockRecord record;
    std::copy_n(bytes.begin() + std::ptrdiff_t(index * kStockRecordSize), kStockRecordSize,
                record.begin());
    return record;
}

std::string asString(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// Printable Windows-1250 text: no control bytes, none of the five undefined bytes, nothing
// the encoder put in for a character it could not hold.
::testing::AssertionResult isWindows1250Text(const std::string& text)
{
    for (const char c : text) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b < 32 || b == 0x7F || b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98 ||
            b == '?')
            return ::testing::AssertionFailure()
                   << "byte " << int(b) << " in '" << utf8FromAnsi(text) << "'";
    }
    if (ansiFromUtf8(utf8FromAnsi(text)) != text)
        return ::testing::AssertionFailure()
               << "'" << utf8FromAnsi(text) << "' does not round-trip";
    return ::testing::AssertionSuccess();
}

struct SampleCase {
    const char* label;
    std::uint64_t records;
    std::vector<std::uint64_t> blanks;
    std::size_t tail;
};

void PrintTo(const SampleCase& c, std::ostream* os)
{
    *os << c.label;
}

// writeSampleFile hands the system 4 MiB at a time, 9058 records: the last case puts
// blank-name records on both sides of the first boundary.
const SampleCase kSampleCases[] = {
    {"Empty", 0, {}, 0},
    {"OnlyAnIncompleteRecord", 0, {}, 462},
    {"OneBlankRecord", 1, {1}, 0},
    {"BlanksTwoFiveSeven", 10, {2, 5, 7}, 0},
    {"TailAfterTenRecords", 10, {}, 100},
    {"AllBlankWithLongestTail", 3, {1, 2, 3}, 462},
    {"UnsortedAndRepeatedBlanks", 50, {50, 1, 20, 20}, 1},
    {"AcrossWriteChunks", 20000, {1, 9058, 9059, 20000}, 17},
};

class SampleFileTest : public ::testing::TestWithParam<SampleCase>
{
protected:
    SampleOptions options() const
    {
        SampleOptions s;
        s.records = GetParam().records;
        s.blankPositions = GetParam().blanks;
        s.tailBytes = GetParam().tail;
        s.seed = 7;
        return s;
    }
};

TEST_P(SampleFileTest, HoldsWholeRecordsThenTheTail)
{
    const std::vector<std::uint8_t> bytes = sampleBytes(options());
    EXPECT_EQ(bytes.size(), GetParam().records * 463 + GetParam().tail);

    ScratchDir dir;
    writeSampleFile(dir.file("stock.rek"), options());
    EXPECT_EQ(readFileBytes(dir.file("stock.rek")), asString(bytes));
}

TEST_P(SampleFileTest, BlankNamesStandExactlyAtTheGivenPositions)
{
    const std::vector<std::uint8_t> bytes = sampleBytes(options());
    const std::set<std::uint64_t> blanks(GetParam().blanks.begin(), GetParam().blanks.end());
    for (std::uint64_t i = 0; i < GetParam().records; ++i)
        EXPECT_EQ(isBlankName(recordAt(bytes, i)), blanks.count(i + 1) == 1) << "record " << i + 1;
}

TEST_P(SampleFileTest, TextsAreWindows1250WithinTheirRooms)
{
    const std::vector<std::uint8_t> bytes = sampleBytes(options());
    const std::set<std::uint64_t> blanks(GetParam().blanks.begin(), GetParam().blanks.end());
    for (std::uint64_t i = 0; i < GetParam().records; ++i) {
        const StockRecord record = recordAt(bytes, i);
        for (int field = 1; field <= kTextFieldCount; ++field) {
            const std::string text = fieldText(record, field);
            EXPECT_LE(text.size(), kRooms[field - 1]) << "record " << i + 1 << " field " << field;
            if (field == 1 && blanks.count(i + 1))
                EXPECT_TRUE(std::all_of(text.begin(), text.end(),
                                        [](char c) { return std::uint8_t(c) <= 32; }));
            else
                EXPECT_TRUE(isWindows1250Text(text)) << "record " << i + 1 << " field " << field;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, SampleFileTest, ::testing::ValuesIn(kSampleCases),
                         [](const auto& info) { return std::string(info.param.label); });

std::vector<std::uint8_t> manyRecords(std::uint64_t count, std::uint64_t seed = 1)
{
    SampleOptions options;
    options.records = count;
    options.seed = seed;
    return sampleBytes(options);
}

TEST(SampleTexts, SpeakPolishWithEveryDiacriticInBothCases)
{
    const std::vector<std::uint8_t> bytes = manyRecords(5000);
    std::string all;
    for (std::uint64_t i = 0; i < 5000; ++i)
        for (int field = 1; field <= kTextFieldCount; ++field)
            all += utf8FromAnsi(fieldText(recordAt(bytes, i), field)) + '\n';
    for (const char* letter :
         {"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż", "Ą", "Ć", "Ę", "Ł", "Ń", "Ó", "Ś", "Ź", "Ż"})
        EXPECT_NE(all.find(letter), std::string::npos) << letter;
}

TEST(SampleTexts, VaryFromRecordToRecord)
{
    const std::vector<std::uint8_t> bytes = manyRecords(1000);
    std::set<std::string> distinct[kTextFieldCount];
    for (std::uint64_t i = 0; i < 1000; ++i)
        for (int field = 1; field <= kTextFieldCount; ++field)
            distinct[field - 1].insert(fieldText(recordAt(bytes, i), field));
    // Units come from a short list; names, codes, prices and descriptions are composed.
    EXPECT_GT(distinct[0].size(), 300u);
    EXPECT_GT(distinct[1].size(), 15u);
    EXPECT_GT(distinct[2].size(), 900u);
    EXPECT_GT(distinct[3].size(), 500u);
    EXPECT_GT(distinct[4].size(), 500u);
}

TEST(SampleBytes, UninterpretedBytesAreRandom)
{
    const std::vector<std::uint8_t> bytes = manyRecords(200);
    // Offsets before the first text, and after the longest description.
    for (const std::size_t offset :
         {std::size_t(0), std::size_t(4), std::size_t(400), std::size_t(462)}) {
        std::set<std::uint8_t> values;
        for (std::uint64_t i = 0; i < 200; ++i)
            values.insert(recordAt(bytes, i)[offset]);
        EXPECT_GT(values.size(), 100u) << "offset " << offset;
    }
}

TEST(SampleBytes, TheSeedDecidesEveryByte)
{
    SampleOptions options{300, {3, 100}, 200, 42};
    const std::vector<std::uint8_t> first = sampleBytes(options);
    EXPECT_EQ(sampleBytes(options), first);

    options.seed = 43;
    const std::vector<std::uint8_t> other = sampleBytes(options);
    ASSERT_EQ(other.size(), first.size());
    EXPECT_NE(other, first);
    // The tail too comes from the seed.
    EXPECT_FALSE(std::equal(first.end() - 200, first.end(), other.end() - 200));
}

TEST(SampleBytes, RecordsFollowTheGeneratorState)
{
    std::mt19937_64 a(5), b(5);
    for (int i = 0; i < 20; ++i) {
        const bool blank = i % 3 == 0;
        const StockRecord record = sampleRecord(a, blank);
        EXPECT_EQ(record, sampleRecord(b, blank));
        EXPECT_EQ(isBlankName(record), blank);
    }
}

struct RefusedOptions {
    const char* label;
    SampleOptions options;
};

class RefusedOptionsTest : public ::testing::TestWithParam<RefusedOptions>
{
};

TEST_P(RefusedOptionsTest, IsRefusedBeforeAnythingIsWritten)
{
    ScratchDir dir;
    EXPECT_THROW(sampleBytes(GetParam().options), std::invalid_argument);
    EXPECT_THROW(writeSampleFile(dir.file("x.rek"), GetParam().options), std::invalid_argument);
    EXPECT_FALSE(fileExists(dir.file("x.rek")));
}

INSTANTIATE_TEST_SUITE_P(Options, RefusedOptionsTest,
                         ::testing::Values(RefusedOptions{"BlankZero", {5, {0}, 0, 1}},
                                           RefusedOptions{"BlankPastTheEnd", {5, {2, 6}, 0, 1}},
                                           RefusedOptions{"BlankInAnEmptyFile", {0, {1}, 0, 1}},
                                           RefusedOptions{"TailOfAWholeRecord", {5, {}, 463, 1}}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(WriteSampleFile, NamesTheFileItCannotCreate)
{
    ScratchDir dir;
    const std::string path = dir.file("missing/stock.rek");
    try {
        writeSampleFile(path, SampleOptions{1, {}, 0, 1});
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
}

// The command-line program, run as a person runs it. OUT stands for a file in the scratch
// folder.
struct CommandCase {
    const char* label;
    const char* arguments;
    int exitCode;
    const char* says;      // expected in the output (stdout, then stderr)
    std::int64_t fileSize; // -1: no file may be written
};

void PrintTo(const CommandCase& c, std::ostream* os)
{
    *os << c.label;
}

class StockgenRun : public ::testing::Test
{
protected:
    int run(const std::string& arguments, std::string& output)
    {
        const std::string command = std::string("'") + STOCKGEN_PATH + "' " + arguments + " >'" +
                                    dir.file("out.txt") + "' 2>>'" + dir.file("out.txt") + "'";
        const int status = std::system(command.c_str());
        output = readFileBytes(dir.file("out.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string withPaths(std::string arguments) const
    {
        for (std::size_t at; (at = arguments.find("OUT")) != std::string::npos;)
            arguments.replace(at, 3, "'" + dir.file("stock") + "'");
        return arguments;
    }

    ScratchDir dir;
};

class StockgenTest : public StockgenRun, public ::testing::WithParamInterface<CommandCase>
{
};

TEST_P(StockgenTest, ExitsAndSays)
{
    std::string output;
    EXPECT_EQ(run(withPaths(GetParam().arguments), output), GetParam().exitCode) << output;
    EXPECT_NE(output.find(GetParam().says), std::string::npos) << output;
    if (GetParam().fileSize < 0)
        EXPECT_FALSE(fileExists(dir.file("stock")));
    else
        EXPECT_EQ(readFileBytes(dir.file("stock")).size(), std::size_t(GetParam().fileSize));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StockgenTest,
    ::testing::Values(
        CommandCase{"Help", "--help", 0, "Usage: stockgen --records N", -1},
        CommandCase{"RecordsBlanksTail", "--records 10 --blank 2,5,7 --tail 100 OUT", 0,
                    "10 records, 100 tail bytes, 4730 bytes", 4730},
        CommandCase{"ValuesAfterEquals", "--records=4 --tail=5 --seed=9 OUT", 0, "1857 bytes",
                    1857},
        CommandCase{"NoRecords", "--records 0 OUT", 0, "0 bytes", 0},
        CommandCase{"RecordsMissing", "OUT", 2, "--records is required", -1},
        CommandCase{"OutputMissing", "--records 3", 2, "no output file", -1},
        CommandCase{"NotANumber", "--records ten OUT", 2, "'ten' is not a whole number", -1},
        CommandCase{"Negative", "--records -3 OUT", 2, "'-3' is not a whole number", -1},
        CommandCase{"TooLarge", "--seed 18446744073709551616 --records 1 OUT", 2, "too large", -1},
        CommandCase{"BlankOutside", "--records 5 --blank 2,6 OUT", 2,
                    "position 6 is outside the records 1 to 5", -1},
        CommandCase{"BlankListGap", "--records 5 --blank 2,,3 OUT", 2, "comma-separated", -1},
        CommandCase{"TailOfAWholeRecord", "--records 1 --tail 463 OUT", 2, "shorter than a record",
                    -1},
        CommandCase{"UnknownOption", "--records 1 --size 3 OUT", 2, "unknown option '--size'", -1},
        CommandCase{"TwoOutputs", "--records 1 OUT other", 2, "more than one output file", -1},
        CommandCase{"ValueMissing", "OUT --records", 2, "--records needs a value", -1},
        CommandCase{"UnwritableOutput", "--records 1 OUT/below", 2, "cannot create", -1}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(StockgenRun, WritesTheSameBytesAsTheLibrary)
{
    std::string output;
    ASSERT_EQ(run(withPaths("--records 10 --blank 2,5,7 --tail 100 --seed 3 OUT"), output), 0)
        << output;
    EXPECT_EQ(readFileBytes(dir.file("stock")), asString(sampleBytes({10, {2, 5, 7}, 100, 3})));
}

} // namespace
