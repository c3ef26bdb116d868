#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// What the memory limits of the control groups named in the text of /proc/self/cgroup leave:
// for each group and every group above it, its limit less its use (version 2: memory.max and
// memory.current less memory.stat's inactive_file; version 1: memory.limit_in_bytes and
// memory.usage_in_bytes less memory.stat's total_inactive_file, under /sys/fs/cgroup), the least
// of them; UINT64_MAX where no limit is set. Inactive file pages (page cache) are reclaimed
// before the group runs out, so they do not count as used. readFile gives a file's text, or
// nothing.
std::uint64_t controlGroupMemoryLeft(
    std::string_view procSelfCgroup,
    const std::function<std::optional<std::string>(const std::string&)>& readFile);
