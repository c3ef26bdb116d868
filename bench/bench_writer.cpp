// The repaired-file writer against dd bs=463 and against a bare loop of the system calls it
// makes per record, on one sample stock file, all in the same run.

#include "bench_support.h"
#ifdef BENCH_WITH_PREVIEW
#include "preview_figures.h"
#endif
#include "repair_inputs.h"
#include "stock_record.h"
#include "stock_sample.h"
#include "writer.h"

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

constexpr int kRuns = 3;
constexpr double kTargetRatio = 1.5;

[[noreturn]] void fail(const std::string& what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void copyWithWriter(const std::string& in, const std::string& out)
{
    writeRepairedFile(FixedRepairInputs(in, ScanMethod::Intelligent), out);
}

void copyWithDd(const std::string& in, const std::string& out)
{
    const std::string inArg = "if=" + in, outArg = "of=" + out;
    char* const argv[] = {const_cast<char*>("dd"), const_cast<char*>(inArg.c_str()),
                          const_cast<char*>(outArg.c_str()), const_cast<char*>("bs=463"), nullptr};
    // dd reports its record counts on stderr; the figures here are the only output wanted.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, "dd", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        errno = error;
        fail("cannot start dd");
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            fail("waiting for dd");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("dd failed");
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

std::uint64_t parseRecords(int argc, char** argv)
{
    std::uint64_t records = 1'000'000;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--records" && i + 1 < argc) {
            const std::string_view value = argv[++i];
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), records);
            if (error != std::errc() || end != value.data() + value.size() || records == 0)
                throw std::invalid_argument("--records needs a whole number above 0");
        } else {
            throw std::invalid_argument("usage: bench_writer [--records N]");
        }
    }
    return records;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const std::uint64_t records = parseRecords(argc, argv);
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
            {"dd", "dd bs=463", copyWithDd, folder.file("dd.rek"), {}},
            {"loop",
             "loop lseek+fstat+read+write",
             copyWithSystemCallLoop,
             folder.file("loop.rek"),
             {}},
        };
        // Rounds interleave the three, so none profits alone from a warmer page cache.
        for (int round = 0; round < kRuns; ++round)
            for (Contender& c : contenders) {
                ::unlink(c.output.c_str());
                c.timings.runs.push_back(secondsOf([&] { c.copy(input, c.output); }));
            }

        std::printf("Copying the whole file, wall time, best of %d runs each (rounds interleaved,\n"
                    "input in the page cache, outputs not synced to disk):\n",
                    kRuns);
        for (const Contender& c : contenders)
            std::printf("  %-40s %s  %6.0f MB/s  %5.2f us/record\n", c.label,
                        c.timings.describe().c_str(),
                        double(fileSize(input)) / c.timings.best() / 1e6,
                        c.timings.best() / double(records) * 1e6);

        const double writer = contenders[0].timings.best();
        const double byDd = writer / contenders[1].timings.best();
        const double byLoop = writer / contenders[2].timings.best();
        std::printf("\n  writer / dd    %.2fx   target: within %.1fx of dd -> %s\n", byDd,
                    kTargetRatio, byDd <= kTargetRatio ? "met" : "NOT met");
        std::printf(
            "  writer / loop  %.2fx   (what the record access adds to the bare system calls)\n",
            byLoop);

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

#ifdef BENCH_WITH_PREVIEW
        printPreviewFigures(input, records);
#else
        std::printf(
            "\nPreview: the grid's cell store (record_grid_store) is not built; no figures.\n");
#endif
        return allSame ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_writer: %s\n", e.what());
        return 2;
    }
}
