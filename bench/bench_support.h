#pragma once

#include "tests/support/process_memory.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A fresh folder under $TMPDIR (or /tmp), removed with its files when the benchmark ends.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Wall-clock seconds of one call.
double secondsOf(const std::function<void()>& work);

// Wall times of the runs of one contender. Contenders are run in alternation (one run of each
// per round), so a slower or faster stretch of the machine falls on all of them alike, and the
// median of the runs is reported: not the best, which flatters whoever is luckiest.
struct Timings {
    std::vector<double> runs;
    double median() const;
    // "1.234 s (runs 1.301, 1.234, 1.250)", the first figure the median
    std::string describe() const;
};

// True when both files hold the same bytes.
bool sameContents(const std::string& a, const std::string& b);

std::uint64_t fileSize(const std::string& path);

// Heap bytes in use: malloc's arena chunks and the blocks it maps on its own.
std::uint64_t heapInUse();

// The stock file's size from "--records N" (1 to 10^8; 1,000,000 when not given); anything
// else throws std::invalid_argument with the usage of the program named.
std::uint64_t recordsArgument(int argc, char** argv, const char* program);

// 463000000 -> "463,000,000"
std::string withThousands(std::uint64_t value);
