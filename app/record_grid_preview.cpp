#include "app/record_grid_preview.h"

#include "controls/record_grid/record_grid_store.h"
#include "runtime/system_memory.h"

#include <algorithm>
#include <climits>
#include <new>

namespace
{

// Clearing that frees this much hands the memory back to the system at once.
constexpr std::size_t kGiveBackBytes = 1 << 20;

// Held for the window across previews, so that one preview's freed rows, which keep the address
// space they took, never stand between the next preview and the window's room.
AddressSpaceReserve& windowAddressSpace()
{
    static AddressSpaceReserve reserve;
    return reserve;
}

} // namespace

std::int64_t previewRowBudget(std::uint64_t availableBytes, std::size_t textBytesPerRow)
{
    const std::uint64_t perRow = textBytesPerRow + RecordGridStore::kRowBookkeepingBytes;
    const std::uint64_t rows = availableBytes > kWindowMemoryReserve
                                   ? (availableBytes - kWindowMemoryReserve) / perRow
                                   : 0;
    return static_cast<std::int64_t>(std::min<std::uint64_t>(rows, INT_MAX));
}

void RecordGridPreview::ClearAllCells()
{
    // A preview of many rows frees much at once: give it back rather than keep it for the next.
    if (store_.ClearAllCells() >= kGiveBackBytes)
        returnFreeMemoryToSystem();
    // Without it this preview still runs, only the window has no room set aside.
    windowAddressSpace().take(kWindowMemoryReserve);
}

void RecordGridPreview::AppendRow()
{
    recordRowCount_ = store_.RowCount();
    store_.AppendRow();
}

void RecordGridPreview::SetRowCount(int rows)
{
    recordRowCount_ = store_.RowCount();
    store_.SetRowCount(rows);
}

void RecordGridPreview::SetCellText(int column, int row, const std::string& text)
{
    try {
        store_.SetCellText(column, row, text);
    } catch (const std::bad_alloc&) {
        store_.SetRowCount(recordRowCount_);
        windowAddressSpace().release();
        throw;
    }
}

std::int64_t RecordGridPreview::rowCapacity(std::size_t textBytesPerRow) const
{
    return previewRowBudget(availableMemoryBytes(), textBytesPerRow);
}
