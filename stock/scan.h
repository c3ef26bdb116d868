#pragma once

#include "record_file.h"
#include "repair_inputs.h"

#include <cstdint>

// Receives the records a scan takes, each before the scan decides anything about the next.
class RecordSink
{
public:
    virtual ~RecordSink() = default;
    // The counted scan's N, once converted and before any read; may throw to refuse it.
    virtual void countKnown(std::int32_t /*count*/) {}
    virtual void take(const StockRecord& record) = 0;
};

// Until the end of the file, or up to and including the third blank-name record (counted in
// total, not in a run). The end-of-file test comes before the counter test in every pass.
void intelligentScan(TRecordFile& file, RecordSink& sink);

// Converts the count text (EConvertError when it does not), then reads exactly N records
// without testing for the end: a file with fewer fails with "Read beyond end of file".
// N <= 0 reads nothing.
void countedScan(TRecordFile& file, const std::string& countText, RecordSink& sink);

// The scan the inputs select; the count text is read only when the counted scan starts.
void runScan(TRecordFile& file, ScanMethod method, const RepairInputs& inputs, RecordSink& sink);
