#include "system_memory.h"

#include <sys/resource.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
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

std::uint64_t addressSpaceLeft()
{
    struct rlimit lim {
    };
    if (::getrlimit(RLIMIT_AS, &lim) != 0 || lim.rlim_cur == RLIM_INFINITY)
        return UINT64_MAX;
    std::uint64_t usedPages = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        unsigned long long pages = 0;
        if (std::fscanf(f, "%llu", &pages) == 1)
            usedPages = pages;
        std::fclose(f);
    }
    const std::uint64_t used = usedPages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    return lim.rlim_cur > used ? lim.rlim_cur - used : 0;
}

} // namespace

std::uint64_t availableMemoryBytes()
{
    std::uint64_t available = memAvailableFromProc();
    if (available == 0) {
        const long pages = ::sysconf(_SC_AVPHYS_PAGES);
        const long pageSize = ::sysconf(_SC_PAGESIZE);
        if (pages > 0 && pageSize > 0)
            available = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
    }
    return std::min(available, addressSpaceLeft());
}

void returnFreeMemoryToSystem()
{
#if defined(__GLIBC__)
    // Releases the free top of the heap and every whole free page inside it.
    ::malloc_trim(0);
#endif
}
