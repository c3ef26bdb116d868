#pragma once

#include "stock/preview_grid.h"

#include <cstddef>
#include <cstdint>

class RecordGridStore;

// What the window keeps for itself (painting, the error display) when memory runs short: held
// back from the memory a preview's budget hands out, and, where the address space is what runs
// out, held as address space while no preview has run out and released when one does.
// Painting alone may start threads, each with a stack of its own: the room must hold them too.
inline constexpr std::size_t kWindowMemoryReserve = std::size_t(64) << 20;

// The preview's memory budget: how many rows more availableBytes (what the process may still take)
// holds beyond kWindowMemoryReserve, each carrying textBytesPerRow and the cell store's
// bookkeeping; at most INT_MAX.
std::int64_t previewRowBudget(std::uint64_t availableBytes, std::size_t textBytesPerRow);

// Lets the preview fill the record grid: the grid operations passed to the grid's cell store, and
// the memory rule. The stock core knows no grid and the grid knows no stock files, nor memory
// policy; this is where the three meet.
//
// rowCapacity is previewRowBudget of availableMemoryBytes. Clearing gives a large freed store back
// to the system and takes the window's address space again if a preview had released it. When the
// store cannot get memory for a text, it has erased the row; the adapter sets back the row count
// of the record's AppendRow or SetRowCount, releases the window's address space and lets
// std::bad_alloc go on to the preview. The grid view hears every change as it is made and
// catches up with them once, when control returns to the event loop.
class RecordGridPreview final : public PreviewGrid
{
public:
    explicit RecordGridPreview(RecordGridStore& store) : store_(store) {}
    RecordGridPreview(const RecordGridPreview&) = delete;
    RecordGridPreview& operator=(const RecordGridPreview&) = delete;

    void ClearAllCells() override;
    void AppendRow() override;
    void SetRowCount(int rows) override;
    void SetCellText(int column, int row, const std::string& text) override;
    std::int64_t rowCapacity(std::size_t textBytesPerRow) const override;

private:
    RecordGridStore& store_;
    int recordRowCount_ = 0; // before the record being shown began
};
