#include "cli/repair.h"

#include "cli/replacement_file.h"
#include "cli/stock_blocks.h"
#include "stock/record_file.h"
#include "stock/scan.h"

#include <algorithm>
#include <memory>

namespace
{

// Runs one step whose failures belong to file.
template <typename Step> auto about(const std::string& file, Step step)
{
    try {
        return step();
    } catch (const FileFailure&) {
        throw;
    } catch (const Exception& e) {
        throw FileFailure(file, e);
    }
}

// Whole records from the first on that the intelligent scan takes: the window's rule, fed
// a block at a time.
std::uint64_t intelligentScanRecords(OsFileApi& os, OsHandle stock)
{
    IntelligentScanEnd end;
    StockBlocks blocks(os, stock);
    std::uint64_t records = 0;
    for (auto block = blocks.next(); !block.empty() && !end.reached(); block = blocks.next())
        records += end.takenOf(block);
    return records;
}

} // namespace

std::uint64_t repairStockFile(const RepairRequest& request, OsFileApi& os)
{
    TRecordFile stock(os);
    about(request.stock, [&] { stock.openForReading(request.stock); });
    about(request.output, [&] {
        const auto stockId = os.identity(stock.handle());
        const auto outputId = os.identity(request.output);
        if (stockId && outputId && *stockId == *outputId)
            throw Exception("The repaired file cannot be saved over the stock file itself");
    });

    const std::uint64_t records =
        request.count
            ? std::uint64_t(std::max(*request.count, 0))
            : about(request.stock, [&] { return intelligentScanRecords(os, stock.handle()); });
    auto output = about(request.output, [&] {
        return std::make_unique<ReplacementFile>(request.output, stock.handle());
    });
    try {
        output->copyFrom(stock.handle(), records * kStockRecordSize);
    } catch (const EInOutError& e) {
        // Too few records for the count is the stock file's; the rest is the writing's.
        throw FileFailure(e.code() == io_code::kReadBeyondEnd ? request.stock : request.output, e);
    }
    about(request.stock, [&] { stock.close(); });
    if (!about(request.output, [&] { return output->commit(request.replace); }))
        throw OutputExists();
    return records;
}
