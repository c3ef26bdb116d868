#pragma once

#include "stock/record_file.h"
#include "stock/repair_inputs.h"

#include <cstdint>
#include <span>

// Receives the records a scan takes, each before the scan decides anything about the next.
class RecordSink
{
public:
    virtual ~RecordSink() = default;
    // The counted scan's N, once converted and before any read; may throw to refuse it.
    virtual void countKnown(std::int32_t /*count*/) {}
    virtual void take(const StockRecord& record) = 0;
};

// The intelligent scan's rule, told the records it takes in file order: it ends after the third
// blank-name record (counted in total, not in a run). Whoever reads the records, one request a
// record or many records a request, asks this.
class IntelligentScanEnd
{
public:
    static constexpr int kBlankNames = 3;

    // Counts a record the scan has taken.
    void taken(std::span<const std::uint8_t, kStockRecordSize> record)
    {
        if (isBlankName(record))
            ++blankNames_;
    }
    // True once the scan takes no further record.
    bool reached() const { return blankNames_ >= kBlankNames; }

    // Of the whole records at the start of block, how many the scan takes before it ends
    // (every one when it does not end among them), each counted.
    std::size_t takenOf(std::span<const std::uint8_t> block);

private:
    int blankNames_ = 0;
};

// Until the end of the file, or up to and including the third blank-name record. The
// end-of-file test comes before the rule's test in every pass.
void intelligentScan(TRecordFile& file, RecordSink& sink);

// Converts the count text (EConvertError when it does not), then reads exactly N records
// without testing for the end: a file with fewer fails with "Read beyond end of file".
// N <= 0 reads nothing.
void countedScan(TRecordFile& file, const std::string& countText, RecordSink& sink);

// The scan the inputs select; the count text is read only when the counted scan starts.
void runScan(TRecordFile& file, ScanMethod method, const RepairInputs& inputs, RecordSink& sink);
