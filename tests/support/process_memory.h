#pragma once

#include <cstdint>

// The process's own memory figures, read from /proc/self/status: what a test of memory use
// measures instead of a clock.

// The resident size (VmRSS), its peak (VmHWM) and the address space taken (VmSize), in bytes.
std::uint64_t residentBytes();
std::uint64_t peakResidentBytes();
std::uint64_t addressSpaceBytes();

// Sets the peak resident size back to the present one; false where the system refuses.
bool resetPeakResidentSize();

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
