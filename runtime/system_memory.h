#pragma once

#include <cstdint>

// Bytes of memory this process could still take without swapping: the system's available
// memory, lowered by an address-space limit set on the process.
std::uint64_t availableMemoryBytes();

// Hands memory that the program has freed back to the system, where the allocator would keep it
// for later use: after a large clear, so the process does not stay at its peak.
void returnFreeMemoryToSystem();
