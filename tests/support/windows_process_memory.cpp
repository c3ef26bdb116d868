#include "tests/support/process_memory.h"

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

namespace
{

PROCESS_MEMORY_COUNTERS_EX counters()
{
    PROCESS_MEMORY_COUNTERS_EX c{};
    c.cb = sizeof c;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&c),
                           sizeof c);
    return c;
}

} // namespace

std::uint64_t residentBytes()
{
    return counters().WorkingSetSize;
}

std::uint64_t peakResidentBytes()
{
    return counters().PeakWorkingSetSize;
}

std::uint64_t addressSpaceBytes()
{
    return counters().PrivateUsage;
}

bool resetPeakResidentSize()
{
    return false; // the peak working set is the process's whole life's
}

std::optional<std::uint64_t> heapBytesInUse()
{
    return std::nullopt;
}

bool capMemory(std::uint64_t headroom)
{
    const HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    if (!job)
        return false;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limit{};
    limit.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY;
    limit.ProcessMemoryLimit = addressSpaceBytes() + headroom;
    return ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limit,
                                     sizeof limit) &&
           ::AssignProcessToJobObject(job, ::GetCurrentProcess());
}

bool memoryCapsAreKept()
{
    // Wine's own export: Wine sets job limits but keeps no account of the memory under them.
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return !(ntdll && ::GetProcAddress(ntdll, "wine_get_version"));
}
