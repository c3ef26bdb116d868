#include "tests/support/process_memory.h"

#include <sys/resource.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <fstream>
#include <string>

namespace
{

std::uint64_t statusBytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stoull(line.substr(key.size())) * 1024;
    return 0;
}

} // namespace

std::uint64_t residentBytes()
{
    return statusBytes("VmRSS:");
}

std::uint64_t peakResidentBytes()
{
    return statusBytes("VmHWM:");
}

std::uint64_t addressSpaceBytes()
{
    return statusBytes("VmSize:");
}

bool resetPeakResidentSize()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

std::optional<std::uint64_t> heapBytesInUse()
{
#if defined(__GLIBC__)
    return mallinfo2().uordblks;
#else
    return std::nullopt;
#endif
}

bool capMemory(std::uint64_t headroom)
{
    const rlimit limit{addressSpaceBytes() + headroom, RLIM_INFINITY};
    return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

bool memoryCapsAreKept()
{
    return true;
}
