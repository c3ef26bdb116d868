#pragma once

#include <cstdint>

// Bytes of memory this process could still take before the system would have to swap or kill.
// Linux: the least of the system's available memory (MemAvailable) and what the memory limits of
// its control groups leave above what they hold beyond reclaimable page cache. An address-space
// limit (RLIMIT_AS) is not counted: freed memory lowers what a process holds, not the address
// space it has mapped, so no figure predicts it; a failed allocation tells instead. Windows: the
// least of the physical memory available, the address space left, and what the memory limits of the
// job the process runs in leave above its committed memory.
std::uint64_t availableMemoryBytes();

// Hands memory that the program has freed back to the system, where the allocator would keep it
// for later use: after a large clear, so the process does not stay at its peak.
void returnFreeMemoryToSystem();
