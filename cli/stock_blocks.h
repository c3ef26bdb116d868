#pragma once

#include "runtime/os_file.h"

#include <cstdint>
#include <span>
#include <vector>

// A stock file's whole records in file order, many records a request: the companion reads at
// the speed of a copy where the window must ask for one record at a time. What the reads give
// is what the window's record reads would give: whole records until the end of the file, a
// torn last record never.
class StockBlocks
{
public:
    // Records a request: about 0.9 MB, a few hundred requests for the largest stock files.
    static constexpr std::size_t kRecords = 2048;

    // Reads the file of handle (opened through os) from its current position.
    StockBlocks(OsFileApi& os, OsHandle handle);

    // The next whole records, at most kRecords of them; empty at the end. Throws EInOutError
    // with the system's code when a read is refused.
    std::span<const std::uint8_t> next();

private:
    OsFileApi& os_;
    OsHandle handle_;
    std::vector<std::uint8_t> buffer_;
    std::size_t given_ = 0;   // bytes of whole records in the last block
    std::size_t carried_ = 0; // bytes of a record begun after them
    bool ended_ = false;
};
