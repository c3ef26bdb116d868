#pragma once

#include <cstdint>
#include <optional>

// The process's own memory figures: what a test of memory use measures instead of a clock.
// Linux reads them from /proc/self/status, Windows asks for the process's memory counters.

// The resident size (VmRSS; the working set), its peak (VmHWM; the peak working set) and the
// address space taken (VmSize; the committed memory), in bytes.
std::uint64_t residentBytes();
std::uint64_t peakResidentBytes();
std::uint64_t addressSpaceBytes();

// Sets the peak resident size back to the present one; false where the system cannot.
bool resetPeakResidentSize();

// Bytes the C allocator has handed out and not had back, where it tells (glibc).
std::optional<std::uint64_t> heapBytesInUse();

// Caps the memory this process may take at headroom above what it holds now: an address-space
// limit on Linux, the process-memory limit of a job on Windows. False where the system refuses.
bool capMemory(std::uint64_t headroom);
// False where a cap is accepted but neither kept nor reported (Wine keeps no account of a job's
// memory).
bool memoryCapsAreKept();

// The kernel counts resident pages per thread in batches, so two readings of the same memory
// can differ by this much.
inline constexpr std::uint64_t kResidentCountSlack = std::uint64_t(1) << 20;

// False in a build whose allocator is not the system's (AddressSanitizer keeps freed memory in
// quarantine and reserves vast address space): the figures then say nothing of the program.
#if defined(__has_feature)
#define NAPRAWA_ASAN_FEATURE __has_feature(address_sanitizer)
#else
#define NAPRAWA_ASAN_FEATURE 0
#endif
#if defined(__SANITIZE_ADDRESS__) || NAPRAWA_ASAN_FEATURE
inline constexpr bool kMemoryFiguresMeaningful = false;
#else
inline constexpr bool kMemoryFiguresMeaningful = true;
#endif
