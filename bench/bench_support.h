#pragma once

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

struct Timings {
    std::vector<double> runs;
    double best() const;
    // "1.234 s (runs 1.301, 1.234, 1.250)"
    std::string describe() const;
};

// True when both files hold the same bytes.
bool sameContents(const std::string& a, const std::string& b);

std::uint64_t fileSize(const std::string& path);

// 463000000 -> "463,000,000"
std::string withThousands(std::uint64_t value);
