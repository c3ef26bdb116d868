#include "controls/record_grid/record_grid_store.h"
#include "tests/support/process_memory.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>

namespace
{

// The allocator's figure of bytes handed out; the test is skipped where it tells none.
#define HEAP_BYTES_OR_SKIP(name)                                                                   \
    if (!heapBytesInUse())                                                                         \
        GTEST_SKIP() << "this system's allocator does not tell what it holds";                     \
    const std::size_t name = *heapBytesInUse()

class Store : public ::testing::Test
{
protected:
    RecordGridStore grid;
};

TEST_F(Store, OpensWithTheStoredGeometry)
{
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.ColCount(), 6);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.totalWidth(), 64 + 322 + 64 * 4);
    EXPECT_EQ(grid.totalHeight(), 2 * 21);
    EXPECT_EQ(grid.currentCell(), (GridCell{1, 1}));
    EXPECT_EQ(grid.Selection(), (GridRect{1, 1, 1, 1}));
}

TEST_F(Store, TextBeyondTheRowCountIsKeptAndShownWhenRowsComeBack)
{
    grid.SetRowCount(5);
    grid.SetCellText(2, 5, "ukryty");
    grid.SetCellText(2, 3, "widoczny");
    grid.SetRowCount(6);
    EXPECT_EQ(grid.cellText(2, 5), "ukryty");
    grid.SetRowCount(2);
    grid.SetRowCount(6);
    EXPECT_EQ(grid.cellText(2, 3), "widoczny");
    EXPECT_EQ(grid.RowHeight(3), 21);
}

TEST_F(Store, AppendRowBlanksWhatTheStoreHeldAtTheNewRow)
{
    grid.SetCellText(1, 2, "stary");
    grid.SetCellText(9, 2, "poza kolumnami");
    grid.AppendRow();
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.cellText(1, 2), "");
    EXPECT_EQ(grid.cellText(9, 2), "");
    EXPECT_EQ(grid.RowHeight(2), 21);
}

TEST_F(Store, ClearAllCellsBlanksOnlyRowsBelowTheRowCount)
{
    grid.SetRowCount(5);
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 6; ++col)
            grid.SetCellText(col, row, "t" + std::to_string(row));
    grid.SetCellText(7, 1, "kolumna 7");
    grid.setCurrentCell({3, 4});
    grid.ClearAllCells();
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 6; ++col)
            EXPECT_EQ(grid.cellText(col, row), row < 5 ? "" : "t" + std::to_string(row))
                << col << "," << row;
    EXPECT_EQ(grid.cellText(7, 1), "kolumna 7");
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.currentCell(), (GridCell{3, 4}));
}

TEST_F(Store, CellsOfARowAreIndependentWhateverTheOrderOfWriting)
{
    const std::string binary("\0\x01\xff", 3);
    grid.SetCellText(5, 1, "piąty");
    grid.SetCellText(1, 1, binary);
    grid.SetCellText(3, 1, std::string(300, 'x'));
    grid.SetCellText(1, 1, "pierwszy");
    grid.SetCellText(3, 1, "");
    EXPECT_EQ(grid.cellText(1, 1), "pierwszy");
    EXPECT_EQ(grid.cellText(3, 1), "");
    EXPECT_EQ(grid.cellText(5, 1), "piąty");
    grid.SetCellText(2, 1, binary);
    EXPECT_EQ(grid.cellText(2, 1), binary);
    grid.SetCellText(1, 1, "");
    grid.SetCellText(2, 1, "");
    grid.SetCellText(5, 1, "");
    EXPECT_EQ(grid.storedRowCount(), 0u);
}

TEST_F(Store, RowCountOfZeroOrLessIsOneAndTheHeaderRowStopsBeingFixed)
{
    grid.SetRowCount(-3);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.FixedRows(), 0);
    EXPECT_EQ(grid.currentCell(), (GridCell{1, 0}));
    grid.SetRowCount(5);
    EXPECT_EQ(grid.FixedRows(), 0);
    grid.setCurrentCell({2, 0});
    EXPECT_EQ(grid.currentCell(), (GridCell{2, 0}));
}

TEST_F(Store, ShrinkingMovesTheCurrentCellToTheLastRowAndCollapsesTheSelection)
{
    grid.SetRowCount(20);
    grid.setCurrentCell({1, 3});
    grid.setCurrentCell({4, 15}, true);
    EXPECT_EQ(grid.Selection(), (GridRect{1, 3, 4, 15}));
    grid.SetRowCount(10);
    EXPECT_EQ(grid.currentCell(), (GridCell{4, 9}));
    EXPECT_EQ(grid.Selection(), (GridRect{4, 9, 4, 9}));
    grid.setCurrentCell({2, 2});
    grid.setCurrentCell({3, 5}, true);
    grid.AppendRow();
    EXPECT_EQ(grid.Selection(), (GridRect{3, 5, 3, 5}));
}

TEST_F(Store, TheCurrentCellStaysAmongTheNormalCells)
{
    grid.SetRowCount(4);
    grid.setCurrentCell({0, 0});
    EXPECT_EQ(grid.currentCell(), (GridCell{1, 1}));
    grid.setCurrentCell({99, 99});
    EXPECT_EQ(grid.currentCell(), (GridCell{5, 3}));
}

TEST_F(Store, RowGeometryFollowsTheHeights)
{
    grid.SetRowCount(1000000);
    EXPECT_EQ(grid.rowTop(1000), 21000);
    grid.SetRowHeight(10, 40);
    EXPECT_EQ(grid.rowTop(11), 11 * 21 + 19);
    EXPECT_EQ(grid.rowAt(10 * 21 + 39), 10);
    EXPECT_EQ(grid.rowAt(10 * 21 + 40), 11);
    EXPECT_EQ(grid.rowAt(5 * 21), 5);
    EXPECT_EQ(grid.rowAt(INT64_MAX / 2), 999999);
    grid.SetRowCount(5);
    grid.SetRowCount(20);
    EXPECT_EQ(grid.RowHeight(10), 21); // the height of a row that left is forgotten
}

struct Recorder final : RecordGridStoreListener {
    std::vector<GridRect> cells;
    int layouts = 0;
    int selections = 0;
    void cellsChanged(const GridRect& r) override { cells.push_back(r); }
    void layoutChanged() override { ++layouts; }
    void selectionChanged() override { ++selections; }
};

TEST_F(Store, RepaintsOnlyWhatChanged)
{
    Recorder rec;
    grid.setListener(&rec);
    grid.SetCellText(2, 1, "a");
    grid.SetCellText(2, 9, "poza"); // beyond the row count: nothing to repaint
    grid.ClearAllCells();
    ASSERT_EQ(rec.cells.size(), 2u);
    EXPECT_EQ(rec.cells[0], (GridRect{2, 1, 2, 1}));
    EXPECT_EQ(rec.cells[1], (GridRect{0, 0, 5, 1}));
    grid.SetRowCount(2);
    EXPECT_EQ(rec.layouts, 0);
}

TEST(GridRectTest, UnitedHoldsBothAndIgnoresAnEmptyOne)
{
    const GridRect cell{2, 1, 2, 1}, none;
    EXPECT_EQ(cell.united(GridRect{4, 3, 5, 3}), (GridRect{2, 1, 5, 3}));
    EXPECT_EQ(none.united(cell), cell);
    EXPECT_EQ(cell.united(none), cell);
    EXPECT_TRUE(none.united(none).isEmpty());
}

TEST_F(Store, ARowNeverWrittenCostsNothing)
{
    HEAP_BYTES_OR_SKIP(before);
    grid.SetRowCount(2000000000);
    EXPECT_LT(*heapBytesInUse() - before, 4096u);
}

// The store against a plain map that follows its rules, through long random runs of the grid
// operations: rows clustered so that blocks fill, split and empty again, bursts of rows written
// in order as a preview writes them, cells rewritten in any column order, texts from empty to
// longer than a block. Seeded; a failure names its seed.
TEST(StoreModel, HoldsExactlyWhatAPlainMapOfTheRulesHolds)
{
    constexpr int kRowsProbed = 7000;
    constexpr int kColsProbed = 9;
    for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937_64 random(seed);
        const auto below = [&](int n) { return int(random() % std::uint64_t(n)); };
        const auto someText = [&] {
            const int kind = below(1000);
            const std::size_t length = kind < 300   ? 0
                                       : kind < 950 ? below(40)
                                       : kind < 998 ? below(300)
                                                    : 70000;
            std::string text(length, '\0');
            for (char& c : text)
                c = static_cast<char>(below(256));
            return text;
        };
        RecordGridStore store;
        std::map<std::pair<int, int>, std::string> model; // (row, column)
        int rowCount = 2;
        const auto write = [&](int column, int row, const std::string& text) {
            store.SetCellText(column, row, text);
            if (text.empty())
                model.erase({row, column});
            else
                model[{row, column}] = text;
        };
        const auto check = [&] {
            std::set<int> rows;
            for (const auto& [cell, text] : model)
                rows.insert(cell.first);
            ASSERT_EQ(store.storedRowCount(), rows.size());
            for (int row = 0; row < kRowsProbed; ++row)
                for (int column = 0; column < kColsProbed; ++column) {
                    const auto it = model.find({row, column});
                    ASSERT_EQ(store.cellText(column, row), it == model.end() ? "" : it->second)
                        << "cell " << column << "," << row;
                }
        };
        for (int step = 1; step <= 3000; ++step) {
            const int op = below(100);
            if (op < 75) {
                const int clusters[] = {0, 150, 2000, 6500};
                write(below(kColsProbed), clusters[below(4)] + below(500), someText());
            } else if (op < 78) {
                const int first = below(kRowsProbed - 400);
                for (int row = first; row < first + 400; ++row)
                    for (int column = 1; column <= 5; ++column)
                        write(column, row, someText());
            } else if (op < 84) {
                store.ClearAllCells();
                std::erase_if(model, [&](const auto& cell) {
                    return cell.first.first < rowCount && cell.first.second < 6;
                });
            } else if (op < 92) {
                store.AppendRow();
                ++rowCount;
                std::erase_if(model,
                              [&](const auto& cell) { return cell.first.first == rowCount - 1; });
            } else {
                rowCount = std::max(1, below(kRowsProbed) - 10);
                store.SetRowCount(rowCount);
            }
            ASSERT_EQ(store.RowCount(), rowCount);
            if (step % 500 == 0) {
                ASSERT_NO_FATAL_FAILURE(check()) << "after step " << step;
            }
        }
    }
}

TEST_F(Store, PreviewedRowsCostTheirTextAndTheBookkeepingAndClearingGivesItBack)
{
    constexpr int kRows = 200000;
    const std::string texts[5] = {"Śruba sześciokątna M6", "szt.", "ŚR-M6-40", "0,35",
                                  "Ocynk, opak. 100 szt., do drewna"};
    std::size_t textBytes = 0;
    for (const auto& t : texts)
        textBytes += t.size();
    HEAP_BYTES_OR_SKIP(before);
    for (int r = 1; r <= kRows; ++r) {
        grid.AppendRow();
        for (int c = 1; c <= 5; ++c)
            grid.SetCellText(c, r, texts[c - 1]);
    }
    const double perRow = double(*heapBytesInUse() - before) / kRows;
    RecordProperty("bytes_per_row", std::to_string(perRow));
    EXPECT_LE(perRow, double(textBytes + RecordGridStore::kRowBookkeepingBytes))
        << "text bytes per row " << textBytes;

    const std::uint64_t filled = residentBytes();
    grid.ClearAllCells();
    EXPECT_LT(std::int64_t(*heapBytesInUse()) - std::int64_t(before), 64 * 1024);
    // What the rows held is the system's again, not kept for later by the allocator.
    if (kMemoryFiguresMeaningful) {
        EXPECT_LT(residentBytes(), filled - std::uint64_t(kRows) * textBytes * 9 / 10);
    }
}

} // namespace
