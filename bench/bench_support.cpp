#include "bench/bench_support.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <stdexcept>
#include <stdlib.h>
#include <string_view>

TempFolder::TempFolder()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/naprawa-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a folder like " + pattern);
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

double secondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Timings::median() const
{
    if (runs.empty())
        return 0;
    std::vector<double> sorted = runs;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

std::string Timings::describe() const
{
    char text[160];
    std::string all;
    for (const double run : runs) {
        std::snprintf(text, sizeof text, "%s%.3f", all.empty() ? "" : ", ", run);
        all += text;
    }
    std::snprintf(text, sizeof text, "%7.3f s  (runs %s)", median(), all.c_str());
    return text;
}

bool sameContents(const std::string& a, const std::string& b)
{
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    if (!fa || !fb)
        return false;
    std::vector<char> ba(1 << 20), bb(1 << 20);
    while (true) {
        fa.read(ba.data(), std::streamsize(ba.size()));
        fb.read(bb.data(), std::streamsize(bb.size()));
        if (fa.gcount() != fb.gcount() ||
            std::memcmp(ba.data(), bb.data(), std::size_t(fa.gcount())) != 0)
            return false;
        if (fa.gcount() == 0)
            return fa.eof() && fb.eof();
    }
}

std::uint64_t fileSize(const std::string& path)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : size;
}

std::uint64_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::string withThousands(std::uint64_t value)
{
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::uint64_t recordsArgument(int argc, char** argv, const char* program)
{
    std::uint64_t records = 1'000'000;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--records" && i + 1 < argc) {
            const std::string_view value = argv[++i];
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), records);
            if (error != std::errc() || end != value.data() + value.size() || records == 0 ||
                records > 100'000'000)
                throw std::invalid_argument("--records needs a whole number from 1 to 10^8");
        } else {
            throw std::invalid_argument(std::string("usage: ") + program + " [--records N]");
        }
    }
    return records;
}
