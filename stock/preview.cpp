#include "stock/preview.h"

#include "runtime/exceptions.h"
#include "stock/record_file.h"
#include "stock/scan.h"

#include <algorithm>
#include <new>

namespace
{

// The most text five fields can carry: a length byte says at most 255 each.
constexpr std::size_t kMaxRowTextBytes = kTextFieldCount * 255;

ERangeError memoryRunsOut(int rowsTaken)
{
    return ERangeError("Too many records to preview: memory is running out after " +
                       std::to_string(rowsTaken) + " records");
}

// Shows the five texts of a record in its row; text holds each in turn, so after the first
// rows a record costs no allocation.
void showRecord(PreviewGrid& grid, int row, const StockRecord& record, std::string& text)
{
    for (int field = 1; field <= kTextFieldCount; ++field) {
        text.assign(fieldView(record, field));
        grid.SetCellText(field, row, text);
    }
}

class IntelligentPreview final : public RecordSink
{
public:
    // Room for the longest field from the start: only the grid can run out of memory mid-row.
    explicit IntelligentPreview(PreviewGrid& grid) : grid_(grid) { text_.reserve(255); }
    void take(const StockRecord& record) override
    {
        // The scan's end is not known ahead: rows are taken only as far as memory was last found
        // to hold them, at the most text a record carries, and it is asked again at the latest
        // every so many rows. When it holds no more, the preview stops while the window can
        // still show why.
        if (row_ == roomUntil_) {
            const std::int64_t room = grid_.rowCapacity(kMaxRowTextBytes);
            if (room <= 0)
                throw memoryRunsOut(row_);
            roomUntil_ = row_ + int(std::min<std::int64_t>(room, kPreviewRowsAhead));
        }
        try {
            grid_.AppendRow();
            showRecord(grid_, row_ + 1, record, text_);
        } catch (const std::bad_alloc&) {
            throw memoryRunsOut(row_);
        }
        ++row_;
    }

private:
    PreviewGrid& grid_;
    int row_ = 0;
    int roomUntil_ = 0; // the last row memory was found to hold
    std::string text_;
};

class CountedPreview final : public RecordSink
{
public:
    explicit CountedPreview(PreviewGrid& grid) : grid_(grid) { text_.reserve(255); }
    void countKnown(std::int32_t count) override
    {
        const std::int64_t rows = std::int64_t(count) + 1;
        const std::int64_t capacity = grid_.rowCapacity(kMaxRowTextBytes);
        if (rows > INT32_MAX || rows > capacity)
            throw ERangeError("Too many records to preview: " + std::to_string(count) +
                              ", the grid holds at most " +
                              std::to_string(std::max<std::int64_t>(capacity - 1, 0)));
        rows_ = static_cast<int>(rows);
    }
    void take(const StockRecord& record) override
    {
        try {
            grid_.SetRowCount(rows_);
            showRecord(grid_, row_ + 1, record, text_);
        } catch (const std::bad_alloc&) {
            throw memoryRunsOut(row_);
        }
        ++row_;
    }

private:
    PreviewGrid& grid_;
    int rows_ = 1;
    int row_ = 0;
    std::string text_;
};

} // namespace

void previewStockFile(PreviewGrid& grid, const RepairInputs& inputs, OsFileApi& os)
{
    grid.ClearAllCells();
    TRecordFile stock(os);
    stock.open(inputs.stockFileName());
    const ScanMethod method = inputs.scanMethod();
    if (method == ScanMethod::Counted) {
        CountedPreview sink(grid);
        runScan(stock, method, inputs, sink);
    } else {
        IntelligentPreview sink(grid);
        runScan(stock, method, inputs, sink);
    }
    stock.close();
}
