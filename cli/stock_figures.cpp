#include "stock_figures.h"

#include "exceptions.h"
#include "record_file.h"
#include "scan.h"

namespace
{

class BlankNameCounter final : public RecordSink
{
public:
    explicit BlankNameCounter(StockFigures& figures) : figures_(figures) {}

    void take(const StockRecord& record) override
    {
        ++taken_;
        if (!isBlankName(record))
            return;
        ++figures_.blankNames;
        if (figures_.firstBlankNames.size() < StockFigures::kListedBlankNames)
            figures_.firstBlankNames.push_back(taken_);
    }

    std::uint64_t taken() const { return taken_; }

private:
    StockFigures& figures_;
    std::uint64_t taken_ = 0;
};

} // namespace

StockFigures inspectStockFile(const std::string& name, OsFileApi& os)
{
    StockFigures figures;
    TRecordFile file(os);
    file.open(name);
    const OsQueryResult size = os.size(file.handle());
    if (size.error != 0)
        throw EInOutError(size.error);
    figures.size = size.value;
    figures.records = size.value / kStockRecordSize;
    figures.tail = size.value % kStockRecordSize;

    // The window's own scan decides where the repair stops; the rest of the file is read on
    // only to count its blank names.
    BlankNameCounter counter(figures);
    intelligentScan(file, counter);
    figures.intelligentRecords = counter.taken();
    figures.stopsAtThirdBlankName = figures.blankNames >= 3;
    StockRecord record;
    while (!file.atEnd()) {
        file.read(record);
        counter.take(record);
    }
    file.close();
    return figures;
}
