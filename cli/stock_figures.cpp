#include "cli/stock_figures.h"

#include "cli/stock_blocks.h"
#include "runtime/exceptions.h"
#include "stock/record_file.h"
#include "stock/scan.h"

StockFigures inspectStockFile(const std::string& name, OsFileApi& os)
{
    StockFigures figures;
    TRecordFile file(os);
    file.openForReading(name);
    const OsQueryResult size = os.size(file.handle());
    if (size.error != 0)
        throw EInOutError(size.error);
    figures.size = size.value;
    figures.records = size.value / kStockRecordSize;
    figures.tail = size.value % kStockRecordSize;

    // The window's rule decides where the repair stops; the rest of the file is read on only to
    // count its blank names.
    IntelligentScanEnd end;
    StockBlocks blocks(os, file.handle());
    std::uint64_t position = 0; // 1-based, of the record at hand
    for (auto block = blocks.next(); !block.empty(); block = blocks.next())
        for (std::size_t at = 0; at < block.size(); at += kStockRecordSize) {
            const auto record = block.subspan(at).first<kStockRecordSize>();
            ++position;
            if (!end.reached()) {
                end.taken(record);
                ++figures.intelligentRecords;
            }
            if (!isBlankName(record))
                continue;
            ++figures.blankNames;
            if (figures.firstBlankNames.size() < StockFigures::kListedBlankNames)
                figures.firstBlankNames.push_back(position);
        }
    figures.stopsAtThirdBlankName = end.reached();
    file.close();
    return figures;
}
