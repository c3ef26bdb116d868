#include "runtime/system_memory.h"

#include <windows.h>
// After windows.h, which it needs.
#include <malloc.h>
#include <psapi.h>

#include <algorithm>

namespace
{

// What the limits of the job the process runs in (a job object: a service's or a sandbox's
// memory cap) leave above the memory this process has committed.
std::uint64_t jobMemoryLeft()
{
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION job{};
    if (!::QueryInformationJobObject(nullptr, JobObjectExtendedLimitInformation, &job, sizeof job,
                                     nullptr))
        return UINT64_MAX; // in no job
    const DWORD flags = job.BasicLimitInformation.LimitFlags;
    if (!(flags & (JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_JOB_MEMORY)))
        return UINT64_MAX;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(),
                                reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof counters))
        return 0;
    const std::uint64_t committed = counters.PrivateUsage;
    auto left = [committed](std::uint64_t limit) {
        return limit > committed ? limit - committed : 0;
    };
    std::uint64_t result = UINT64_MAX;
    if (flags & JOB_OBJECT_LIMIT_PROCESS_MEMORY)
        result = std::min<std::uint64_t>(result, left(job.ProcessMemoryLimit));
    // The other processes of the job count against its limit too; what this one committed is
    // the least of it.
    if (flags & JOB_OBJECT_LIMIT_JOB_MEMORY)
        result = std::min<std::uint64_t>(result, left(job.JobMemoryLimit));
    return result;
}

} // namespace

std::uint64_t availableMemoryBytes()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!::GlobalMemoryStatusEx(&status))
        return 0;
    return std::min<std::uint64_t>({status.ullAvailPhys, status.ullAvailVirtual, jobMemoryLeft()});
}

void returnFreeMemoryToSystem()
{
    // The C run-time's heap gives its free pages back, then the process heap coalesces its own.
    ::_heapmin();
    ::HeapCompact(::GetProcessHeap(), 0);
}

bool AddressSpaceReserve::take(std::size_t bytes)
{
    if (base_)
        return true;
    // Reserved, never committed: it takes address space, not memory.
    base_ = ::VirtualAlloc(nullptr, bytes, MEM_RESERVE, PAGE_NOACCESS);
    size_ = bytes;
    return base_ != nullptr;
}

void AddressSpaceReserve::release()
{
    if (base_)
        ::VirtualFree(base_, 0, MEM_RELEASE);
    base_ = nullptr;
}
