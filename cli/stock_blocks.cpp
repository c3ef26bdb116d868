#include "cli/stock_blocks.h"

#include "runtime/exceptions.h"
#include "stock/stock_record.h"

#include <cstring>

StockBlocks::StockBlocks(OsFileApi& os, OsHandle handle)
    : os_(os), handle_(handle), buffer_(kRecords * kStockRecordSize)
{
}

std::span<const std::uint8_t> StockBlocks::next()
{
    // The record begun at the end of the last block goes to the front of this one.
    std::memmove(buffer_.data(), buffer_.data() + given_, carried_);
    std::size_t filled = carried_;
    // A read may give less than asked before the end; only a read that gives nothing marks it.
    while (!ended_ && filled < buffer_.size()) {
        const OsTransferResult r = os_.read(handle_, buffer_.data() + filled,
                                            static_cast<std::uint32_t>(buffer_.size() - filled));
        if (r.error != 0)
            throw EInOutError(r.error);
        ended_ = r.bytes == 0;
        filled += r.bytes;
    }
    given_ = filled - filled % kStockRecordSize;
    carried_ = filled - given_;
    return {buffer_.data(), given_};
}
