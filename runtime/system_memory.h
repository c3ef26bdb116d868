#pragma once

#include <cstddef>
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

// Address space set aside with no memory behind it. Where the address space is what runs out (an
// address-space limit, a 32-bit process), releasing it leaves that much room for what must still
// run after the rest has been taken.
class AddressSpaceReserve
{
public:
    AddressSpaceReserve() = default;
    ~AddressSpaceReserve() { release(); }
    AddressSpaceReserve(const AddressSpaceReserve&) = delete;
    AddressSpaceReserve& operator=(const AddressSpaceReserve&) = delete;

    // Sets bytes aside unless some are held already; false when the address space has no room.
    bool take(std::size_t bytes);
    void release();
    bool held() const { return base_ != nullptr; }

private:
    void* base_ = nullptr;
    std::size_t size_ = 0;
};
