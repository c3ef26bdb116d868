#include "app/record_grid_preview.h"
#include "controls/record_grid/record_grid.h"
#include "stock/preview.h"
#include "tests/support/qt/qt_printers.h"
#include "tests/support/qt/window_wait.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/stock_builder.h"

#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// The grid operations passed to the store one by one, without the adapter.
class StoreDirectly final : public PreviewGrid
{
public:
    explicit StoreDirectly(RecordGridStore& store) : store_(store) {}
    void ClearAllCells() override { store_.ClearAllCells(); }
    void AppendRow() override { store_.AppendRow(); }
    void SetRowCount(int rows) override { store_.SetRowCount(rows); }
    void SetCellText(int column, int row, const std::string& text) override
    {
        store_.SetCellText(column, row, text);
    }
    std::int64_t rowCapacity(std::size_t) const override { return INT_MAX; }

private:
    RecordGridStore& store_;
};

// A preview as a case: what the grid held before, then what "Czytaj" was asked to read.
struct PreviewCase {
    const char* name;
    std::function<void(RecordGridStore&)> before;
    int records; // in the stock file; -1: no file
    ScanMethod method;
    const char* count;
    bool fails;
};

class HeldPreview : public ::testing::TestWithParam<PreviewCase>
{
protected:
    void SetUp() override
    {
        for (TRecordGrid* grid : {&held, &direct}) {
            grid->resize(649, 188);
            grid->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(grid));
        }
    }

    // Runs the case's preview; true if it failed. The error leaves through run, as it leaves
    // the window's handler.
    bool preview(const std::function<void(const RepairInputs&)>& run)
    {
        const PreviewCase& c = GetParam();
        const std::string file = scratch.file(c.records < 0 ? "brak.rek" : "mag.rek");
        if (c.records >= 0)
            writeFileBytes(file, stockFileBytes(c.records, {}, 100));
        try {
            run(FixedRepairInputs(file, c.method, c.count));
        } catch (const std::exception&) {
            return true;
        }
        return false;
    }

    ScratchDir scratch;
    TRecordGrid held;
    TRecordGrid direct;
};

// What the screen shows of the grid, painted by the repaints it asked for.
QImage onScreen(TRecordGrid& grid)
{
    return grid.screen()->grabWindow(grid.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// The grid painted afresh from what it holds now.
QImage rendered(TRecordGrid& grid)
{
    return grid.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A refit queues more work, and scroll bars that come or go more repaints: a few rounds of the
// event loop see them all done.
void settleAll()
{
    for (int round = 0; round < 8; ++round)
        settle();
}

// What the operator sees after a preview, failed or not, is the same whether it filled the grid
// through the adapter or straight into the store: the cells painted, where the view is
// scrolled, the scroll bars, the current cell and the selection.
TEST_P(HeldPreview, LeavesTheGridAsHearingEveryChangeWould)
{
    const PreviewCase& c = GetParam();
    for (TRecordGrid* grid : {&held, &direct})
        if (c.before)
            c.before(grid->store());
    settleAll();

    const bool heldFailed = preview([&](const RepairInputs& inputs) {
        RecordGridPreview grid(held.store());
        previewStockFile(grid, inputs);
    });
    const bool directFailed = preview([&](const RepairInputs& inputs) {
        StoreDirectly grid(direct.store());
        previewStockFile(grid, inputs);
    });
    settleAll();

    EXPECT_EQ(heldFailed, c.fails);
    EXPECT_EQ(directFailed, c.fails);
    EXPECT_EQ(held.store().RowCount(), direct.store().RowCount());
    EXPECT_EQ(held.store().currentCell(), direct.store().currentCell());
    EXPECT_EQ(held.store().Selection(), direct.store().Selection());
    for (auto bar :
         {&QAbstractScrollArea::verticalScrollBar, &QAbstractScrollArea::horizontalScrollBar}) {
        EXPECT_EQ((held.*bar)()->isVisible(), (direct.*bar)()->isVisible());
        EXPECT_EQ((held.*bar)()->maximum(), (direct.*bar)()->maximum());
        EXPECT_EQ((held.*bar)()->value(), (direct.*bar)()->value());
    }
    // What the screen shows was painted by the repaints each grid asked for: a repaint never
    // asked for leaves it behind what the grid holds.
    const QImage shown = onScreen(held);
    EXPECT_EQ(shown, onScreen(direct));
    EXPECT_EQ(shown, rendered(held)) << "the screen is behind the grid";
}

void scrolledToRow40(RecordGridStore& store)
{
    store.SetRowCount(60);
    store.SetCellText(2, 40, "stary tekst");
    store.SetCellText(4, 38, "stary tekst");
    store.setCurrentCell({3, 40});
}

INSTANTIATE_TEST_SUITE_P(
    RecordGridPreview, HeldPreview,
    ::testing::Values(
        PreviewCase{"IntelligentIntoTheNewGrid", {}, 30, ScanMethod::Intelligent, "", false},
        PreviewCase{"IntelligentAfterScrolling", scrolledToRow40, 12, ScanMethod::Intelligent, "",
                    false},
        PreviewCase{"CountedShrinkingPastTheCurrentRow", scrolledToRow40, 8, ScanMethod::Counted,
                    "5", false},
        PreviewCase{"CountedPastTheEndFailsAfterItsRows", scrolledToRow40, 20, ScanMethod::Counted,
                    "50", true},
        PreviewCase{"MissingFileFailsAfterBlanking", scrolledToRow40, -1, ScanMethod::Intelligent,
                    "", true},
        PreviewCase{"NothingRead", scrolledToRow40, 0, ScanMethod::Intelligent, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
// A group whose use is mostly page cache (a large copy made inside it) still takes a small
// preview: the kernel gives file pages back before the group's limit is reached.
TEST(PreviewInAControlGroup, WhoseUseIsMostlyPageCacheStillTakesASmallPreview)
{
    std::string controllers;
    std::getline(std::ifstream("/sys/fs/cgroup/cgroup.subtree_control"), controllers);
    const bool unified = controllers.find("memory") != std::string::npos;
    const std::string group =
        (unified ? "/sys/fs/cgroup/naprawa-" : "/sys/fs/cgroup/memory/naprawa-") +
        std::to_string(::getpid());
    if (::geteuid() != 0 || ::mkdir(group.c_str(), 0755) != 0)
        GTEST_SKIP() << "making a memory-limited group needs root and a memory controller";
    writeFileBytes(group + (unified ? "/memory.max" : "/memory.limit_in_bytes"),
                   std::to_string(256 << 20));
    ScratchDir scratch;
    const std::string stock = scratch.file("mag.rek"), cache = scratch.file("kopia.bin");
    writeFileBytes(stock, stockFileBytes(20));
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            writeFileBytes(group + "/cgroup.procs", std::to_string(::getpid()));
            std::ofstream copy(cache, std::ios::binary);
            const std::string mib(1 << 20, 'x');
            for (int i = 0; i < 224; ++i) // 224 MiB of the group's 256 in page cache
                copy << mib;
            copy.close();
            RecordGridStore store;
            RecordGridPreview grid(store);
            previewStockFile(grid, FixedRepairInputs(stock));
            std::_Exit(store.cellText(1, 20) == "Towar 20" ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    ::rmdir(group.c_str());
}
#endif

} // namespace
