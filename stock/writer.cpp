#include "stock/writer.h"

#include "runtime/exceptions.h"
#include "stock/record_file.h"
#include "stock/scan.h"

namespace
{

class CopyToOutput final : public RecordSink
{
public:
    explicit CopyToOutput(TRecordFile& output) : output_(output) {}
    void take(const StockRecord& record) override
    {
        output_.write(record);
        ++written;
    }

    std::uint64_t written = 0;

private:
    TRecordFile& output_;
};

} // namespace

std::uint64_t writeRepairedFile(const RepairInputs& inputs, const std::string& outputName,
                                OsFileApi& os)
{
    const std::string stockName = inputs.stockFileName();
    TRecordFile stock(os);
    stock.open(stockName);

    // Creating the output over the stock file would empty it before a single record is read.
    if (stock.handle() != kNoHandle) {
        const auto stockId = os.identity(stock.handle());
        const auto outputId = os.identity(outputName);
        if (stockId && outputId && *stockId == *outputId)
            throw Exception("The repaired file cannot be saved over the stock file itself");
    }

    TRecordFile output(os);
    output.create(outputName);
    CopyToOutput sink(output);
    runScan(stock, inputs.scanMethod(), inputs, sink);
    stock.close();
    output.close();
    return sink.written;
}
