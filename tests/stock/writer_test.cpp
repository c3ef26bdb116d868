#include "runtime/exceptions.h"
#include "stock/writer.h"
#include "tests/stock/counting_file_api.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/stock_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace
{

class Writer : public ::testing::Test
{
protected:
    std::string stock(int count, const std::vector<int>& blanks = {}, int tail = 0)
    {
        stockBytes = stockFileBytes(count, blanks, tail);
        writeFileBytes(stockName, stockBytes);
        return stockName;
    }

    std::string run(const std::string& name, const std::string& out,
                    ScanMethod method = ScanMethod::Intelligent, const std::string& count = {})
    {
        try {
            written = writeRepairedFile(FixedRepairInputs(name, method, count), out, os);
        } catch (const Exception& e) {
            EXPECT_TRUE(os.openHandles().empty()) << "files left open after: " << e.what();
            return e.message();
        }
        EXPECT_TRUE(os.openHandles().empty());
        return {};
    }

    std::string output() const { return readFileBytes(outName); }
    std::string firstRecords(int k) const { return stockBytes.substr(0, std::size_t(k) * 463); }

    ScratchDir dir;
    CountingFileApi os;
    std::string stockName = dir.file("magazyn.rek");
    std::string outName = dir.file("naprawiony.rek");
    std::string stockBytes;
    std::uint64_t written = 0; // by the last run that went through
};

struct CopyCase {
    const char* label;
    int records;
    std::vector<int> blanks;
    int tail;
    ScanMethod method;
    const char* count;
    int copied;
    const char* message;
};

class WriterCopies : public Writer, public ::testing::WithParamInterface<CopyCase>
{
};

TEST_P(WriterCopies, TheRecordsTakenByteForByte)
{
    const auto& c = GetParam();
    writeFileBytes(outName, "stara zawartość, dłuższa niż nic");
    EXPECT_EQ(run(stock(c.records, c.blanks, c.tail), outName, c.method, c.count), c.message);
    ASSERT_TRUE(fileExists(outName));
    EXPECT_EQ(output(), firstRecords(c.copied));
    if (c.message[0] == '\0') {
        EXPECT_EQ(written, std::uint64_t(c.copied));
    }
    EXPECT_EQ(readFileBytes(stockName), stockBytes) << "stock file changed";
}

INSTANTIATE_TEST_SUITE_P(
    Scans, WriterCopies,
    ::testing::Values(
        CopyCase{"AllRecords", 10, {}, 0, ScanMethod::Intelligent, "", 10, ""},
        CopyCase{"UpToTheThirdBlank", 10, {2, 5, 7}, 0, ScanMethod::Intelligent, "", 7, ""},
        CopyCase{"TwoBlanks", 10, {2, 5}, 0, ScanMethod::Intelligent, "", 10, ""},
        CopyCase{"IncompleteTailLeftOut", 3, {}, 100, ScanMethod::Intelligent, "", 3, ""},
        CopyCase{"Counted", 10, {1, 2, 3}, 0, ScanMethod::Counted, "5", 5, ""},
        CopyCase{"CountedPastTheEnd",
                 3,
                 {},
                 100,
                 ScanMethod::Counted,
                 "5",
                 3,
                 "Read beyond end of file"},
        CopyCase{"CountedNegative", 3, {}, 0, ScanMethod::Counted, "-4", 0, ""},
        CopyCase{"CountAtStartValue",
                 3,
                 {},
                 0,
                 ScanMethod::Counted,
                 "",
                 0,
                 "'' is not a valid integer value"},
        CopyCase{"CountNotANumber",
                 3,
                 {},
                 0,
                 ScanMethod::Counted,
                 "abc",
                 0,
                 "'abc' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(Writer, UpToTheThirdBlankIs3241Bytes)
{
    EXPECT_EQ(run(stock(10, {2, 5, 7}), outName), "");
    EXPECT_EQ(output().size(), 3241u);
}

TEST_F(Writer, AMissingStockFileCreatesNoOutput)
{
    EXPECT_EQ(run(dir.file("brak.rek"), outName), "File not found");
    EXPECT_FALSE(fileExists(outName));
    writeFileBytes(outName, "zostaje");
    EXPECT_EQ(run(dir.file("brak/x.rek"), outName), "Invalid filename");
    EXPECT_EQ(output(), "zostaje");
}

TEST_F(Writer, AnOutputThatCannotBeCreatedIsReported)
{
    stock(2);
    writeFileBytes(outName, "tylko do odczytu");
    makeReadOnly(outName);
    if (systemRefusesReadOnlyFiles()) {
        EXPECT_EQ(run(stockName, outName), "File access denied");
        EXPECT_EQ(output(), "tylko do odczytu");
    }
    EXPECT_EQ(run(stockName, dir.file("brak/w.rek")), "Invalid filename");
    EXPECT_EQ(run(stockName, dir.path()), "File access denied");
}

TEST_F(Writer, AnEmptyStockNameLeavesAnEmptyOutput)
{
    EXPECT_EQ(run("", outName), "I/O error 6");
    EXPECT_EQ(output(), "");
    EXPECT_EQ(run("", outName, ScanMethod::Counted, "2"), "I/O error 6");
    EXPECT_EQ(run("", outName, ScanMethod::Counted, "0"), "");
    EXPECT_TRUE(fileExists(outName));
}

TEST_F(Writer, ARefusedWriteKeepsTheRecordsBefore)
{
    os.failOn(CountingFileApi::Op::Write, 3, 112);
    EXPECT_EQ(run(stock(5), outName), "I/O error 112");
    EXPECT_EQ(output(), firstRecords(2));
}

TEST_F(Writer, AShortWriteIsDiskFullAndKeepsThePartStored)
{
    os.shortWriteOn(2, 100);
    EXPECT_EQ(run(stock(5), outName), "Disk full");
    EXPECT_EQ(output(), stockBytes.substr(0, 463 + 100));
}

#ifndef _WIN32
// The system's own file-size limit, in a child process. Under ctest each case is a fresh program,
// SIGXFSZ at its default action until the file layer is first used. Mid-record the system stores
// part of the record; on a record boundary it refuses the write.
struct SizeLimitCase {
    const char* label;
    rlim_t limit;
    std::uint32_t code; // 0: no error
    std::size_t kept;
};

class WriterUnderAFileSizeLimit : public Writer, public ::testing::WithParamInterface<SizeLimitCase>
{
};

TEST_P(WriterUnderAFileSizeLimit, FailsAsAWriteDoes)
{
    const auto& c = GetParam();
    stock(5);
    const pid_t child = ::fork();
    if (child == 0) {
        const struct rlimit lim = {c.limit, c.limit};
        ::setrlimit(RLIMIT_FSIZE, &lim);
        try {
            writeRepairedFile(FixedRepairInputs(stockName), outName);
        } catch (const EInOutError& e) {
            ::_exit(static_cast<int>(e.code() & 0xFF));
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(c.code));
    EXPECT_EQ(output(), stockBytes.substr(0, c.kept));
}

INSTANTIATE_TEST_SUITE_P(
    Limits, WriterUnderAFileSizeLimit,
    ::testing::Values(SizeLimitCase{"MidRecordIsDiskFull", 2 * 463 + 100, 101, 2 * 463 + 100},
                      SizeLimitCase{"OnARecordBoundary", 2 * 463, 223, 2 * 463},
                      SizeLimitCase{"Zero", 0, 223, 0},
                      SizeLimitCase{"AtTheLastRecordsEnd", 5 * 463, 0, 5 * 463}),
    [](const auto& info) { return std::string(info.param.label); });
#endif

// FIFOs, sockets and devices hold no records: a read could wait for good, a write fill a pipe.
struct SpecialFileCase {
    const char* label;
    bool asStock; // otherwise as the output
    std::string (*make)(const ScratchDir&);
};

class WriterRefusesSpecialFiles : public Writer,
                                  public ::testing::WithParamInterface<SpecialFileCase>
{
};

TEST_P(WriterRefusesSpecialFiles, BeforeAByteIsReadOrAnythingEmptied)
{
    const auto& c = GetParam();
    stock(3);
    writeFileBytes(outName, "zostaje");
    const std::string special = c.make(dir);
    const std::string message = c.asStock ? run(special, outName, ScanMethod::Counted, "2")
                                          : run(stockName, special, ScanMethod::Counted, "2");
    EXPECT_EQ(message, "File access denied");
    EXPECT_EQ(os.count(CountingFileApi::Op::Read), 0);
    EXPECT_EQ(output(), "zostaje");
    EXPECT_EQ(readFileBytes(stockName), stockBytes);
}

const SpecialFileCase kSpecialFiles[] = {
#ifdef _WIN32
    {"NulDeviceAsStock", true, [](const ScratchDir&) { return std::string("NUL"); }},
    {"ConsoleAsStock", true, [](const ScratchDir&) { return std::string("CON"); }},
    {"NulDeviceAsOutput", false, [](const ScratchDir&) { return std::string("nul"); }},
    {"ConsoleAsOutput", false, [](const ScratchDir&) { return std::string("CONOUT$"); }},
#else
    {"FifoAsStock", true, [](const ScratchDir& d) { return makeFifo(d.file("f")); }},
    {"SocketAsStock", true, [](const ScratchDir& d) { return makeSocket(d.file("s")); }},
    {"EndlessDeviceAsStock", true, [](const ScratchDir&) { return std::string("/dev/zero"); }},
    {"FifoAsOutput", false, [](const ScratchDir& d) { return makeFifo(d.file("f")); }},
    {"SocketAsOutput", false, [](const ScratchDir& d) { return makeSocket(d.file("s")); }},
    {"NullDeviceAsOutput", false, [](const ScratchDir&) { return std::string("/dev/null"); }},
#endif
};

INSTANTIATE_TEST_SUITE_P(Kinds, WriterRefusesSpecialFiles, ::testing::ValuesIn(kSpecialFiles),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(Writer, EveryFailurePathClosesBothFiles)
{
    using Op = CountingFileApi::Op;
    const std::pair<Op, int> faults[] = {{Op::Read, 2},     {Op::Write, 1}, {Op::Size, 3},
                                         {Op::Position, 1}, {Op::Close, 1}, {Op::Close, 2},
                                         {Op::Open, 2}};
    for (const auto& [op, nth] : faults) {
        CountingFileApi faulty;
        faulty.failOn(op, nth, 1117);
        try {
            writeRepairedFile(FixedRepairInputs(stock(4)), outName, faulty);
            ADD_FAILURE() << "no failure for fault " << int(op) << "/" << nth;
        } catch (const EInOutError&) {
        }
        EXPECT_TRUE(faulty.openHandles().empty()) << "fault " << int(op) << "/" << nth;
    }
}

TEST_F(Writer, ClosesTheStockFileFirst)
{
    EXPECT_EQ(run(stock(1), outName), "");
    EXPECT_EQ(os.pattern(), "OOPZRWPZCC");
    const auto& calls = os.calls();
    EXPECT_EQ(calls[calls.size() - 2].handle, calls[0].handle);
    EXPECT_EQ(calls[calls.size() - 1].handle, calls[1].handle);
}

struct SameFileCase {
    const char* label;
    // Makes another name of the stock file in the scratch folder.
    std::string (*name)(const ScratchDir& dir, const std::string& stock);
};

class WriterRefusesTheStockFileItself : public Writer,
                                        public ::testing::WithParamInterface<SameFileCase>
{
};

TEST_P(WriterRefusesTheStockFileItself, BeforeAnythingIsCreatedOrEmptied)
{
    stock(6, {2});
    const std::string other = GetParam().name(dir, stockName);
    const std::string message = run(stockName, other);
    EXPECT_NE(message.find("stock file"), std::string::npos) << message;
    EXPECT_EQ(readFileBytes(stockName), stockBytes);
    EXPECT_EQ(os.count(CountingFileApi::Op::Open), 1);
}

const SameFileCase kSameFileNames[] = {
    {"SameName", [](const ScratchDir&, const std::string& s) { return s; }},
    {"DotSegments",
     [](const ScratchDir& d, const std::string&) {
         return d.path() + "/./../" + d.path().substr(d.path().find_last_of('/') + 1) +
                "/magazyn.rek";
     }},
    {"Relative",
     [](const ScratchDir& d, const std::string&) {
         // relative to the working folder, whatever it is
         namespace fs = std::filesystem;
         const fs::path stock = d.file("magazyn.rek");
         const fs::path relative = fs::relative(stock, fs::current_path());
         if (!relative.empty())
             return relative.string();
         // on another drive: relative to that drive's working folder, its root
         return (stock.root_name() / fs::relative(stock, stock.root_path())).string();
     }},
    {"HardLink",
     [](const ScratchDir& d, const std::string& s) {
         std::filesystem::create_hard_link(s, d.file("hard.rek"));
         return d.file("hard.rek");
     }},
#ifndef _WIN32 // a symbolic link needs a privilege on Windows
    {"SymbolicLink",
     [](const ScratchDir& d, const std::string& s) {
         std::filesystem::create_symlink(s, d.file("link.rek"));
         return d.file("link.rek");
     }},
#endif
};

INSTANTIATE_TEST_SUITE_P(Names, WriterRefusesTheStockFileItself,
                         ::testing::ValuesIn(kSameFileNames),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(Writer, AnotherFileWithTheSameContentsIsNoProblem)
{
    stock(3);
    writeFileBytes(outName, stockBytes);
    EXPECT_EQ(run(stockName, outName), "");
    EXPECT_EQ(output(), stockBytes);
}

} // namespace
