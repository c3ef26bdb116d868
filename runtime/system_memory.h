#pragma once

#include <cstdint>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Bytes of memory this process could still take before the system would have to swap or kill:
// the least of the system's available memory (MemAvailable), what an address-space limit set
// on the process (RLIMIT_AS) leaves above its present size, and what the memory limits of its
// control groups leave above their present use.
std::uint64_t availableMemoryBytes();

// What the memory limits of the control groups named in the text of /proc/self/cgroup leave:
// for each group and every group above it, its limit less its use (version 2: memory.max and
// memory.current; version 1: memory.limit_in_bytes and memory.usage_in_bytes, under
// /sys/fs/cgroup), the least of them; UINT64_MAX where no limit is set. readFile gives a
// file's text, or nothing.
std::uint64_t controlGroupMemoryLeft(
    std::string_view procSelfCgroup,
    const std::function<std::optional<std::string>(const std::string&)>& readFile);

// Hands memory that the program has freed back to the system, where the allocator would keep it
// for later use: after a large clear, so the process does not stay at its peak.
void returnFreeMemoryToSystem();
