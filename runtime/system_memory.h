#pragma once

#include <cstdint>

// Bytes of memory this process could still take without swapping: the system's available
// memory, lowered by an address-space limit set on the process.
std::uint64_t availableMemoryBytes();
