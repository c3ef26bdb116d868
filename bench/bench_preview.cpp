// "Czytaj" on a large stock file in the real, shown window against a bare loop of the system
// calls its scan must make (lseek and fstat for the end-of-file test, read 463 a record), in the
// same run; the memory each previewed row keeps; and ten previews in a row in one window, to show
// that what a preview takes is given back when the next one blanks the grid.

#include "app/Unit_main.h"
#include "app/record_grid_preview.h"
#include "bench/bench_support.h"
#include "controls/common/error_sink.h"
#include "controls/record_grid/record_grid.h"
#include "stock/preview.h"
#include "stock/preview_grid.h"
#include "stock/repair_inputs.h"
#include "stock/stock_record.h"
#include "tools/stock_sample.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QLineEdit>
#include <QTest>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int kRuns = 5;
constexpr int kPreviewsInARow = 10;
constexpr double kTargetRatio = 1.5;
constexpr double kTargetBytesOverText = 40;
constexpr double kMiB = 1024.0 * 1024.0;
// Two readings of the same resident memory can differ by this much.
constexpr std::uint64_t kCountingSlack = 1 << 20;

// What the intelligent scan asks of the system per record, and nothing else.
void scanWithSystemCallLoop(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path);
    StockRecord record;
    while (true) {
        const off_t position = ::lseek(fd, 0, SEEK_CUR);
        struct stat st {
        };
        if (position < 0 || ::fstat(fd, &st) != 0)
            throw std::runtime_error("cannot query " + path);
        if (std::uint64_t(position) / kStockRecordSize >=
            std::uint64_t(st.st_size) / kStockRecordSize)
            break;
        if (::read(fd, record.data(), kStockRecordSize) != ssize_t(kStockRecordSize))
            throw std::runtime_error("cannot read " + path);
    }
    ::close(fd);
}

// Takes the preview's calls and keeps no text: the scan, the record reads and the five texts.
class DiscardingGrid final : public PreviewGrid
{
public:
    void ClearAllCells() override {}
    void AppendRow() override { ++rows_; }
    void SetRowCount(int rows) override { rows_ = rows < 1 ? 1 : rows; }
    void SetCellText(int, int, const std::string& text) override { textBytes_ += text.size(); }
    std::int64_t rowCapacity(std::size_t) const override { return std::numeric_limits<int>::max(); }
    std::uint64_t textBytes() const { return textBytes_; }

private:
    int rows_ = 2;
    std::uint64_t textBytes_ = 0;
};

// Notes when the widget it watches has painted.
class PaintWatch final : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// The real window, shown, with its file-name field holding the stock file's name.
class Window
{
public:
    explicit Window(const std::string& stockFile)
    {
        form_.show();
        if (!QTest::qWaitForWindowExposed(&form_))
            throw std::runtime_error("the window is not shown");
        setStockFile(stockFile);
        QCoreApplication::processEvents();
    }

    void setStockFile(const std::string& path)
    {
        find<QLineEdit>("FilenameEdit1")->setText(QString::fromStdString(path));
    }

    // "Czytaj", and then the event loop until the grid has painted what the preview left.
    void czytaj()
    {
        PaintWatch watch;
        QWidget* viewport = grid().viewport();
        viewport->installEventFilter(&watch);
        find<QAbstractButton>("Button1")->click();
        const QDeadlineTimer deadline(10'000);
        while (!watch.painted && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        viewport->removeEventFilter(&watch);
        if (!watch.painted)
            throw std::runtime_error("the grid did not paint after the preview");
    }

    TRecordGrid& grid() { return *find<TRecordGrid>("RecordGrid1"); }

private:
    template <typename T> T* find(const char* name)
    {
        T* w = form_.findChild<T*>(QString::fromLatin1(name));
        if (!w)
            throw std::runtime_error(std::string("no control ") + name);
        return w;
    }

    TForm1 form_;
};

StockRecord recordAt(const std::string& stockFile, std::uint64_t index)
{
    StockRecord record;
    const int fd = ::open(stockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        if (::pread(fd, record.data(), record.size(), off_t(index * kStockRecordSize)) < 0)
            record = {};
        ::close(fd);
    }
    return record;
}

bool rowShowsRecord(const RecordGridStore& store, int row, const StockRecord& record)
{
    for (int field = 1; field <= kTextFieldCount; ++field)
        if (store.cellText(field, row) != fieldText(record, field))
            return false;
    return true;
}

bool gridShowsFile(const RecordGridStore& store, const std::string& stockFile,
                   std::uint64_t records)
{
    const std::uint64_t samples[] = {0, records / 2, records - 1};
    for (const std::uint64_t i : samples)
        if (!rowShowsRecord(store, int(i) + 1, recordAt(stockFile, i)))
            return false;
    return store.cellText(1, int(records) + 1).empty();
}

double mib(std::uint64_t bytes)
{
    return double(bytes) / kMiB;
}

// Memory of the first preview in a window, then the same preview again and again in it.
void printMemoryFigures(const std::string& stockFile, const std::string& emptyFile,
                        std::uint64_t records, double textPerRow)
{
    Window window(stockFile);
    const bool peakMeasured = resetPeakResidentSize();
    const std::uint64_t heapBefore = heapInUse();
    const std::uint64_t residentBefore = residentBytes();
    std::uint64_t peaks[kPreviewsInARow] = {};
    std::uint64_t residents[kPreviewsInARow] = {};
    std::uint64_t heapGrowth = 0;
    bool allShown = true;
    for (int i = 0; i < kPreviewsInARow; ++i) {
        window.czytaj();
        peaks[i] = peakResidentBytes();
        residents[i] = residentBytes();
        if (i == 0)
            heapGrowth = heapInUse() - heapBefore;
        allShown = allShown && gridShowsFile(window.grid().store(), stockFile, records);
    }
    window.setStockFile(emptyFile);
    window.czytaj();
    const std::uint64_t residentBlank = residentBytes();

    const double rows = double(records);
    const double budget = textPerRow + kTargetBytesOverText;
    const double keptPerRow = double(heapGrowth) / rows;
    const double peakPerRow = double(peaks[0] - residentBefore) / rows;
    std::printf("\nMemory of \"Czytaj\" in the window, per record row (first preview):\n");
    std::printf("  text bytes per row (five fields, mean)       %7.1f\n", textPerRow);
    std::printf("  target: text + %.0f bytes                      %7.1f\n", kTargetBytesOverText,
                budget);
    std::printf("  kept after the preview (malloc in use)       %7.1f   text + %5.1f  %s\n",
                keptPerRow, keptPerRow - textPerRow, keptPerRow <= budget ? "met" : "NOT met");
    if (peakMeasured)
        std::printf("  peak resident growth during it (VmHWM)       %7.1f   text + %5.1f  %s\n",
                    peakPerRow, peakPerRow - textPerRow, peakPerRow <= budget ? "met" : "NOT met");

    std::printf("\n%d previews of the file in a row in one window (resident before: %.1f MiB):\n",
                kPreviewsInARow, mib(residentBefore));
    for (int i = 0; i < kPreviewsInARow; ++i)
        std::printf("  after preview %2d: resident %7.1f MiB, peak so far %7.1f MiB (%s KiB)\n",
                    i + 1, mib(residents[i]), mib(peaks[i]),
                    withThousands(peaks[i] / 1024).c_str());
    if (peakMeasured)
        std::printf("  peak after the %dth %s the peak after the first (%+lld KiB; the kernel "
                    "counts resident pages in batches of up to 256 KiB a thread)\n",
                    kPreviewsInARow,
                    peaks[kPreviewsInARow - 1] <= peaks[0] + kCountingSlack ? "is no higher than"
                                                                            : "is ABOVE",
                    (static_cast<long long>(peaks[kPreviewsInARow - 1]) -
                     static_cast<long long>(peaks[0])) /
                        1024);
    std::printf("  after \"Czytaj\" of an empty file blanks the grid: resident %.1f MiB "
                "(%.1f MiB above where the first preview began)\n",
                mib(residentBlank), mib(residentBlank) - mib(residentBefore));
    std::printf("  every preview showed the file's records: %s\n", allShown ? "yes" : "NO");
}

struct Contender {
    const char* label;
    std::function<void()> run;
    Timings timings;
};

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The offscreen platform says on every window that it cannot size it to its hints.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        if (!message.startsWith(QStringLiteral("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    QApplication app(argc, argv);
    // An error of a handler would open a modal box and stop the run; print it instead.
    setErrorSink([](const std::exception& e) {
        std::fprintf(stderr, "bench_preview: the window reported: %s\n", e.what());
    });
    try {
        const std::uint64_t records = recordsArgument(argc, argv, "bench_preview");
        TempFolder folder;
        const std::string input = folder.file("stock.rek");
        const std::string empty = folder.file("empty.rek");
        SampleOptions options;
        options.records = records;
        options.seed = 1;
        writeSampleFile(input, options);
        writeSampleFile(empty, SampleOptions{});
        std::printf("Stock file: %s records x 463 = %s bytes, no blank-name record (seed %llu)\n",
                    withThousands(records).c_str(), withThousands(fileSize(input)).c_str(),
                    static_cast<unsigned long long>(options.seed));
        const FixedRepairInputs inputs(input, ScanMethod::Intelligent);

        DiscardingGrid counted;
        previewStockFile(counted, inputs);
        const double textPerRow = double(counted.textBytes()) / double(records);

        // Memory first, while no earlier preview has left freed pages for this one to reuse.
        printMemoryFigures(input, empty, records, textPerRow);
        std::fflush(stdout);

        std::unique_ptr<Window> window;
        bool shown = true;
        Contender contenders[] = {
            {"loop lseek+fstat+read", [&] { scanWithSystemCallLoop(input); }, {}},
            {"\"Czytaj\" in the window, until painted", [&] { window->czytaj(); }, {}},
            {"scan and texts, grid keeps nothing",
             [&] {
                 DiscardingGrid grid;
                 previewStockFile(grid, inputs);
             },
             {}},
            {"preview into the cell store alone",
             [&] {
                 RecordGridStore store;
                 RecordGridPreview grid(store);
                 previewStockFile(grid, inputs);
             },
             {}},
        };
        // Each round runs every contender once, so none profits alone from a warmer cache or a
        // quieter stretch of the machine. Each "Czytaj" gets a fresh window, made and closed
        // outside the timing.
        for (int round = 0; round < kRuns; ++round)
            for (Contender& c : contenders) {
                const bool inWindow = &c == &contenders[1];
                if (inWindow)
                    window = std::make_unique<Window>(input);
                c.timings.runs.push_back(secondsOf(c.run));
                if (inWindow) {
                    shown = shown && gridShowsFile(window->grid().store(), input, records);
                    window.reset();
                }
            }

        std::printf("\nPreview, intelligent scan, wall time, median of %d alternating runs "
                    "(file in the page cache):\n",
                    kRuns);
        for (const Contender& c : contenders)
            std::printf("  %-40s %s  %5.2f us/record\n", c.label, c.timings.describe().c_str(),
                        c.timings.median() / double(records) * 1e6);
        const double ratio = contenders[1].timings.median() / contenders[0].timings.median();
        std::printf("\n  \"Czytaj\" / loop  %.2fx   target: at most %.1fx -> %s\n", ratio,
                    kTargetRatio, ratio <= kTargetRatio ? "met" : "NOT met");
        std::printf("  the grid showed the file's records after every \"Czytaj\": %s\n",
                    shown ? "yes" : "NO");
        return shown ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_preview: %s\n", e.what());
        return 2;
    }
}
