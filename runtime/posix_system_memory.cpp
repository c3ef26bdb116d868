#include "runtime/posix_system_memory_p.h"
#include "runtime/system_memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace
{

std::uint64_t memAvailableFromProc()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (meminfo >> key >> kib >> unit)
        if (key == "MemAvailable:")
            return kib * 1024;
    return 0;
}

std::optional<std::string> readSmallFile(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A number at the start of a file's text; nothing for "max" or anything else.
std::optional<std::uint64_t> leadingNumber(const std::optional<std::string>& text)
{
    if (!text)
        return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end == text->data())
        return std::nullopt;
    return value;
}

// The value of a key in a memory.stat text ("key value" lines); nothing where it is missing.
std::optional<std::uint64_t> statValue(const std::optional<std::string>& text, std::string_view key)
{
    if (!text)
        return std::nullopt;
    std::istringstream lines(*text);
    std::string name;
    std::uint64_t value = 0;
    while (lines >> name >> value)
        if (name == key)
            return value;
    return std::nullopt;
}

} // namespace

std::uint64_t controlGroupMemoryLeft(
    std::string_view procSelfCgroup,
    const std::function<std::optional<std::string>(const std::string&)>& readFile)
{
    // Version 1 reports "no limit" as a number near 2^63.
    constexpr std::uint64_t kUnlimited = std::uint64_t(1) << 62;
    std::uint64_t left = UINT64_MAX;
    std::size_t start = 0;
    while (start < procSelfCgroup.size()) {
        std::size_t end = procSelfCgroup.find('\n', start);
        if (end == std::string_view::npos)
            end = procSelfCgroup.size();
        const std::string_view line = procSelfCgroup.substr(start, end - start);
        start = end + 1;
        // "hierarchy:controllers:path"
        const std::size_t first = line.find(':');
        const std::size_t second =
            first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos)
            continue;
        const std::string_view controllers = line.substr(first + 1, second - first - 1);
        std::string path(line.substr(second + 1));
        std::string base, limitFile, usageFile, inactiveFileKey;
        if (line.substr(0, first) == "0" && controllers.empty()) {
            base = "/sys/fs/cgroup";
            limitFile = "/memory.max";
            usageFile = "/memory.current";
            inactiveFileKey = "inactive_file";
        } else if (("," + std::string(controllers) + ",").find(",memory,") != std::string::npos) {
            base = "/sys/fs/cgroup/memory";
            limitFile = "/memory.limit_in_bytes";
            usageFile = "/memory.usage_in_bytes";
            inactiveFileKey = "total_inactive_file";
        } else {
            continue;
        }
        // The group and every group above it, up to the root of the hierarchy.
        while (true) {
            const std::string folder = base + (path == "/" ? "" : path);
            const auto limit = leadingNumber(readFile(folder + limitFile));
            auto usage = leadingNumber(readFile(folder + usageFile));
            // File pages not recently used go back at the group's limit before anything fails:
            // they are not what the group holds.
            if (const auto inactive = statValue(readFile(folder + "/memory.stat"), inactiveFileKey);
                usage && inactive)
                *usage -= std::min(*usage, *inactive);
            if (limit && usage && *limit < kUnlimited)
                left = std::min(left, *limit > *usage ? *limit - *usage : 0);
            if (path.empty() || path == "/")
                break;
            const std::size_t slash = path.find_last_of('/');
            path = slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
        }
    }
    return left;
}

std::uint64_t availableMemoryBytes()
{
    std::uint64_t available = memAvailableFromProc();
    if (available == 0) {
        const long pages = ::sysconf(_SC_AVPHYS_PAGES);
        const long pageSize = ::sysconf(_SC_PAGESIZE);
        if (pages > 0 && pageSize > 0)
            available = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
    }
    const std::uint64_t groups =
        controlGroupMemoryLeft(readSmallFile("/proc/self/cgroup").value_or(""), readSmallFile);
    return std::min(available, groups);
}

void returnFreeMemoryToSystem()
{
#if defined(__GLIBC__)
    // Releases the free top of the heap and every whole free page inside it.
    ::malloc_trim(0);
#endif
}

bool AddressSpaceReserve::take(std::size_t bytes)
{
    if (base_)
        return true;
    // Inaccessible and never backed: it counts against an address-space limit, not memory.
    void* base =
        ::mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED)
        return false;
    base_ = base;
    size_ = bytes;
    return true;
}

void AddressSpaceReserve::release()
{
    if (base_)
        ::munmap(base_, size_);
    base_ = nullptr;
}
