#include "scan.h"

#include "integer_text.h"

void intelligentScan(TRecordFile& file, RecordSink& sink)
{
    int blankNames = 0;
    StockRecord record;
    while (!file.atEnd() && blankNames < 3) {
        file.read(record);
        sink.take(record);
        if (isBlankName(record))
            ++blankNames;
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
