#include "stock/scan.h"

#include "runtime/integer_text.h"

std::size_t IntelligentScanEnd::takenOf(std::span<const std::uint8_t> block)
{
    std::size_t records = 0;
    for (; !reached() && (records + 1) * kStockRecordSize <= block.size(); ++records)
        taken(block.subspan(records * kStockRecordSize).first<kStockRecordSize>());
    return records;
}

void intelligentScan(TRecordFile& file, RecordSink& sink)
{
    IntelligentScanEnd end;
    StockRecord record;
    while (!file.atEnd() && !end.reached()) {
        file.read(record);
        sink.take(record);
        end.taken(record);
    }
}

void countedScan(TRecordFile& file, const std::string& countText, RecordSink& sink)
{
    const std::int32_t count = strToInt(countText);
    if (count <= 0)
        return;
    sink.countKnown(count);
    StockRecord record;
    for (std::int32_t i = 0; i < count; ++i) {
        file.read(record);
        sink.take(record);
    }
}

void runScan(TRecordFile& file, ScanMethod method, const RepairInputs& inputs, RecordSink& sink)
{
    if (method == ScanMethod::Counted)
        countedScan(file, inputs.countText(), sink);
    else
        intelligentScan(file, sink);
}
