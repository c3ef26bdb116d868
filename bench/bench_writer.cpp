// The repaired-file writer against a bare loop of the system calls it must make per record, and
// for orientation against dd bs=463 and cp; the companion's repair, which need not ask one
// record at a time, against cp. One sample stock file, all in the same run.

#include "bench/bench_support.h"
#include "stock/repair_inputs.h"
#include "stock/stock_record.h"
#include "stock/writer.h"
#include "tools/stock_sample.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{

constexpr int kRuns = 5;

[[noreturn]] void fail(const std::string& what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void copyWithWriter(const std::string& in, const std::string& out)
{
    writeRepairedFile(FixedRepairInputs(in, ScanMethod::Intelligent), out);
}

// Runs a program to its end, its own output discarded: the figures are the only output wanted.
void runQuietly(const char* const* argv)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error =
        posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        errno = error;
        fail(std::string("cannot start ") + argv[0]);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            fail(std::string("waiting for ") + argv[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(std::string(argv[0]) + " failed");
}

void copyWithDd(const std::string& in, const std::string& out)
{
    const std::string inArg = "if=" + in, outArg = "of=" + out;
    const char* const argv[] = {"dd", inArg.c_str(), outArg.c_str(), "bs=463", nullptr};
    runQuietly(argv);
}

void copyWithCp(const std::string& in, const std::string& out)
{
    const char* const argv[] = {"cp", in.c_str(), out.c_str(), nullptr};
    runQuietly(argv);
}

// The companion as a script runs it.
void copyWithCompanion(const std::string& in, const std::string& out)
{
    const char* const argv[] = {NAPRAWA_CLI_PROGRAM, "repair", in.c_str(), out.c_str(), nullptr};
    runQuietly(argv);
}

// What the writer asks of the system per record: the end-of-file test's position and size
// queries, then one read and one write of 463 bytes; nothing else.
void copyWithSystemCallLoop(const std::string& in, const std::string& out)
{
    const int from = ::open(in.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (from < 0)
        fail("cannot open " + in);
    const int to = ::open(out.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
    if (to < 0)
        fail("cannot create " + out);
    StockRecord record;
    while (true) {
        const off_t position = ::lseek(from, 0, SEEK_CUR);
        struct stat st {
        };
        if (position < 0 || ::fstat(from, &st) != 0)
            fail("cannot query " + in);
        if (std::uint64_t(position) / kStockRecordSize >=
            std::uint64_t(st.st_size) / kStockRecordSize)
            break;
        if (::read(from, record.data(), kStockRecordSize) != ssize_t(kStockRecordSize))
            fail("cannot read " + in);
        if (::write(to, record.data(), kStockRecordSize) != ssize_t(kStockRecordSize))
            fail("cannot write " + out);
    }
    ::close(from);
    if (::close(to) != 0)
        fail("cannot close " + out);
}

struct Contender {
    const char* name;
    const char* label;
    void (*copy)(const std::string&, const std::string&);
    std::string output;
    Timings timings;
};

} // namespace

int main(int argc, char** argv)
{
    try {
        const std::uint64_t records = recordsArgument(argc, argv, "bench_writer");
        TempFolder folder;
        const std::string input = folder.file("stock.rek");
        SampleOptions options;
        options.records = records;
        options.seed = 1;
        const double generation = secondsOf([&] { writeSampleFile(input, options); });
        std::printf("Stock file: %s records x 463 = %s bytes, no blank-name record (seed %llu),\n"
                    "  generated in %.3f s into %s\n\n",
                    withThousands(records).c_str(), withThousands(fileSize(input)).c_str(),
                    static_cast<unsigned long long>(options.seed), generation,
                    folder.path().c_str());

        Contender contenders[] = {
            {"writer",
             "writeRepairedFile, intelligent scan",
             copyWithWriter,
             folder.file("writer.rek"),
             {}},
            {"loop",
             "loop lseek+fstat+read+write",
             copyWithSystemCallLoop,
             folder.file("loop.rek"),
             {}},
            {"dd", "dd bs=463", copyWithDd, folder.file("dd.rek"), {}},
            {"cp", "cp", copyWithCp, folder.file("cp.rek"), {}},
            {"cli", "naprawa-cli repair", copyWithCompanion, folder.file("cli.rek"), {}},
        };
        // Each round runs every contender once, so none profits alone from a warmer page cache
        // or a quieter stretch of the machine.
        for (int round = 0; round < kRuns; ++round)
            for (Contender& c : contenders) {
                ::unlink(c.output.c_str());
                c.timings.runs.push_back(secondsOf([&] { c.copy(input, c.output); }));
            }

        std::printf("Copying the whole file, wall time, median of %d alternating runs each\n"
                    "(input in the page cache, outputs not synced to disk):\n",
                    kRuns);
        for (const Contender& c : contenders)
            std::printf("  %-36s %s  %6.0f MB/s  %5.2f us/record\n", c.label,
                        c.timings.describe().c_str(),
                        double(fileSize(input)) / c.timings.median() / 1e6,
                        c.timings.median() / double(records) * 1e6);

        const double writer = contenders[0].timings.median();
        std::printf("\n  writer / loop  %.2fx   what the record access adds to the system calls "
                    "it must make\n",
                    writer / contenders[1].timings.median());
        std::printf("  writer / dd    %.2fx   (orientation: dd makes 2 calls a record, the writer "
                    "4)\n",
                    writer / contenders[2].timings.median());
        std::printf("  writer / cp    %.2fx   (orientation: cp copies in large blocks or by "
                    "reference)\n",
                    writer / contenders[3].timings.median());
        std::printf(
            "\n  naprawa-cli repair / cp  %.2fx   the companion's repair, intelligent scan, "
            "against a plain copy (target: at most 2)\n",
            contenders[4].timings.median() / contenders[3].timings.median());

        std::printf("\nOutputs byte-identical to the input:");
        bool allSame = true;
        for (const Contender& c : contenders) {
            const bool same = sameContents(input, c.output);
            allSame = allSame && same;
            std::printf("  %s %s", c.name, same ? "yes" : "NO");
        }
        std::printf("\n");
        for (const Contender& c : contenders)
            ::unlink(c.output.c_str());
        return allSame ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_writer: %s\n", e.what());
        return 2;
    }
}
