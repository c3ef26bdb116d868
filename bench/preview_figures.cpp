#include "preview_figures.h"

#include "bench_support.h"
#include "preview.h"
#include "preview_grid.h"
#include "record_grid_preview.h"
#include "record_grid_store.h"
#include "repair_inputs.h"
#include "stock_record.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <limits>
#include <malloc.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

constexpr int kRuns = 3;

// A grid that takes the preview's calls and keeps no text: the scan, the record reads and the
// building of the five texts, without a store.
class DiscardingGrid final : public PreviewGrid
{
public:
    void ClearAllCells() override {}
    void AppendRow() override { ++rows_; }
    int RowCount() const override { return rows_; }
    void SetRowCount(int rows) override { rows_ = rows < 1 ? 1 : rows; }
    void SetCellText(int, int, const std::string& text) override { textBytes_ += text.size(); }
    std::int64_t RowCapacity(std::size_t) const override { return std::numeric_limits<int>::max(); }
    std::uint64_t textBytes() const { return textBytes_; }

private:
    int rows_ = 2;
    std::uint64_t textBytes_ = 0;
};

// Heap bytes in use: the arena's allocated chunks and the blocks malloc maps on its own.
std::uint64_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A "VmRSS:" or "VmHWM:" line of /proc/self/status, in bytes.
std::uint64_t statusBytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stoull(line.substr(key.size())) * 1024;
    return 0;
}

// Sets the peak resident size back to the current one, so the next peak is the preview's own.
bool resetPeakResidentSize()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

StockRecord recordAt(const std::string& stockFile, std::uint64_t index)
{
    std::ifstream in(stockFile, std::ios::binary);
    in.seekg(std::streamoff(index * kStockRecordSize));
    StockRecord record;
    in.read(reinterpret_cast<char*>(record.data()), std::streamsize(record.size()));
    return record;
}

bool rowShowsRecord(const RecordGridStore& store, int row, const StockRecord& record)
{
    for (int field = 1; field <= kTextFieldCount; ++field)
        if (store.CellText(field, row) != fieldText(record, field))
            return false;
    return true;
}

} // namespace

void printPreviewFigures(const std::string& stockFile, std::uint64_t records)
{
    const FixedRepairInputs inputs(stockFile, ScanMethod::Intelligent);

    Timings scanOnly;
    std::uint64_t textBytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        DiscardingGrid grid;
        scanOnly.runs.push_back(secondsOf([&] { previewStockFile(grid, inputs); }));
        textBytes = grid.textBytes();
    }

    Timings preview;
    std::uint64_t heapGrowth = 0;
    std::uint64_t peakGrowth = 0;
    bool peakMeasured = false;
    int rowCount = 0;
    bool rowsMatch = false;
    for (int run = 0; run < kRuns; ++run) {
        auto store = std::make_unique<RecordGridStore>();
        const bool firstRun = run == 0;
        const std::uint64_t heapBefore = heapInUse();
        if (firstRun)
            peakMeasured = resetPeakResidentSize();
        const std::uint64_t residentBefore = statusBytes("VmRSS:");
        preview.runs.push_back(secondsOf([&] {
            RecordGridPreview grid(*store);
            previewStockFile(grid, inputs);
        }));
        if (firstRun) {
            // Memory from the first run only: later runs reuse pages the earlier stores freed.
            heapGrowth = heapInUse() - heapBefore;
            peakGrowth = statusBytes("VmHWM:") - residentBefore;
            rowCount = store->RowCount();
            const auto last = records - 1;
            rowsMatch =
                rowShowsRecord(*store, 1, recordAt(stockFile, 0)) &&
                rowShowsRecord(*store, int(records / 2) + 1, recordAt(stockFile, records / 2)) &&
                rowShowsRecord(*store, int(last) + 1, recordAt(stockFile, last));
        }
    }

    const double rows = double(records);
    const double textPerRow = double(textBytes) / rows;
    const double budget = 3 * textPerRow + 100;
    const double heapPerRow = double(heapGrowth) / rows;
    const double peakPerRow = double(peakGrowth) / rows;

    std::printf(
        "\nPreview of the same file into RecordGridStore (intelligent scan), wall time, best "
        "of %d runs each:\n",
        kRuns);
    std::printf("  %-40s %s  %5.2f us/record\n", "preview into the store",
                preview.describe().c_str(), preview.best() / rows * 1e6);
    std::printf("  %-40s %s  %5.2f us/record\n", "same scan and texts, grid keeps nothing",
                scanOnly.describe().c_str(), scanOnly.best() / rows * 1e6);
    std::printf("  the store's share: %.3f s (preview / scan alone %.2fx)\n",
                preview.best() - scanOnly.best(), preview.best() / scanOnly.best());
    std::printf("  grid rows afterwards: %s (2 at start + %s records); rows 1, %s and %s show "
                "their records: %s\n",
                withThousands(std::uint64_t(rowCount)).c_str(), withThousands(records).c_str(),
                withThousands(records / 2 + 1).c_str(), withThousands(records).c_str(),
                rowsMatch ? "yes" : "NO");

    std::printf("\nMemory of the store after its first preview, per record row:\n");
    std::printf("  text bytes per row (five fields, mean)        %8.1f\n", textPerRow);
    std::printf("  budget 3 x text + 100                         %8.1f\n", budget);
    std::printf("  heap growth, live after preview (mallinfo2)   %8.1f   %s  (total %s bytes)\n",
                heapPerRow, heapPerRow <= budget ? "within budget" : "OVER budget",
                withThousands(heapGrowth).c_str());
    if (peakMeasured)
        std::printf(
            "  peak resident growth during preview (VmHWM)   %8.1f   %s  (total %s bytes)\n",
            peakPerRow, peakPerRow <= budget ? "within budget" : "OVER budget",
            withThousands(peakGrowth).c_str());
    else
        std::printf("  peak resident growth: /proc/self/clear_refs refused, not measured\n");
}
