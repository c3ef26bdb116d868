// The record grid's painting of its visible area: a grid of 100 rows against one of 1,000,000
// rows, in the same run, at the top and scrolled to the last row, the two grids in alternation.
// Only the cells in view are painted, so the two should take the same time.

#include "bench/bench_support.h"
#include "controls/record_grid/record_grid.h"
#include "tools/stock_sample.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{

constexpr int kRuns = 5;
constexpr int kPaintsPerRun = 300;
constexpr int kSmallRows = 100;
constexpr int kLargeRows = 1'000'000;

// Counts the cells it paints, to show that a paint touches only those in view.
class CountingPainter final : public RecordGridPainter
{
public:
    mutable long cells = 0;
    void paintCell(QPainter& painter, const QRect& rect, std::string_view text,
                   const RecordGridCellState& state, const QPalette& palette) const override
    {
        ++cells;
        RecordGridPainter::paintCell(painter, rect, text, state, palette);
    }
};

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// A grid as the window holds it, filled as a preview fills it: text fields 1 to 5 of sample
// records in columns 1 to 5, one row per record under the header row.
struct Grid {
    explicit Grid(int rows)
    {
        auto counting = std::make_unique<CountingPainter>();
        counter = counting.get();
        grid.setPainter(std::move(counting));
        grid.resize(649, 188);
        std::mt19937_64 random(1);
        grid.store().SetRowCount(rows);
        for (int row = 1; row < rows; ++row) {
            const StockRecord record = sampleRecord(random, false);
            for (int field = 1; field <= kTextFieldCount; ++field)
                grid.store().SetCellText(field, row, fieldText(record, field));
        }
        grid.show();
        if (!QTest::qWaitForWindowExposed(&grid))
            throw std::runtime_error("the grid is not shown");
        settle();
    }

    void scrollToLastRow()
    {
        grid.store().setCurrentCell({1, grid.RowCount() - 1});
        settle();
    }

    // Paints the whole viewport into an image, as a paint event would.
    void paintVisibleArea()
    {
        grid.viewport()->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    }

    TRecordGrid grid;
    CountingPainter* counter = nullptr;
    QImage image{647, 186, QImage::Format_ARGB32_Premultiplied};
};

struct Figures {
    Timings timings;
    long cellsPerPaint = 0;
    int firstRow = 0;
};

void measure(Grid& g, Figures& f)
{
    g.counter->cells = 0;
    f.timings.runs.push_back(secondsOf([&] {
        for (int i = 0; i < kPaintsPerRun; ++i)
            g.paintVisibleArea();
    }));
    f.cellsPerPaint = g.counter->cells / kPaintsPerRun;
    f.firstRow = g.grid.firstVisibleRow();
}

void printRow(const char* label, const Figures& f)
{
    std::printf("  %-32s %s  %7.1f us/paint  %3ld cells/paint  rows from %s\n", label,
                f.timings.describe().c_str(), f.timings.median() / kPaintsPerRun * 1e6,
                f.cellsPerPaint, withThousands(static_cast<std::uint64_t>(f.firstRow)).c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    try {
        std::printf("Filling a grid of %s rows and one of %s rows with sample records...\n",
                    withThousands(kSmallRows).c_str(), withThousands(kLargeRows).c_str());
        std::fflush(stdout);
        Grid small(kSmallRows);
        Grid large(kLargeRows);

        Figures smallTop, largeTop, smallEnd, largeEnd;
        // Rounds interleave the grids, so neither profits alone from warmer caches.
        for (int round = 0; round < kRuns; ++round) {
            measure(small, smallTop);
            measure(large, largeTop);
        }
        small.scrollToLastRow();
        large.scrollToLastRow();
        for (int round = 0; round < kRuns; ++round) {
            measure(small, smallEnd);
            measure(large, largeEnd);
        }

        std::printf("\nPainting the visible area (647 x 186 pixels), %d paints a run, wall time, "
                    "median of %d alternating runs:\n",
                    kPaintsPerRun, kRuns);
        printRow("100 rows, at the top", smallTop);
        printRow("1,000,000 rows, at the top", largeTop);
        printRow("100 rows, at the last row", smallEnd);
        printRow("1,000,000 rows, at the last row", largeEnd);
        std::printf("\n  1,000,000 rows / 100 rows   at the top %.2fx   at the last row %.2fx\n",
                    largeTop.timings.median() / smallTop.timings.median(),
                    largeEnd.timings.median() / smallEnd.timings.median());
        std::printf("  (near 1: a paint touches only the cells in view)\n");
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_grid_paint: %s\n", e.what());
        return 2;
    }
}
