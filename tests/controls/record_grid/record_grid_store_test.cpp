#include "record_grid_store.h"

#include <gtest/gtest.h>

#include <malloc.h>

namespace
{

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
    EXPECT_EQ(grid.TotalWidth(), 64 + 322 + 64 * 4);
    EXPECT_EQ(grid.TotalHeight(), 2 * 21);
    EXPECT_EQ(grid.CurrentCell(), (GridCell{1, 1}));
    EXPECT_EQ(grid.Selection(), (GridRect{1, 1, 1, 1}));
}

TEST_F(Store, TextBeyondTheRowCountIsKeptAndShownWhenRowsComeBack)
{
    grid.SetRowCount(5);
    grid.SetCellText(2, 5, "ukryty");
    grid.SetCellText(2, 3, "widoczny");
    grid.SetRowCount(6);
    EXPECT_EQ(grid.CellText(2, 5), "ukryty");
    grid.SetRowCount(2);
    grid.SetRowCount(6);
    EXPECT_EQ(grid.CellText(2, 3), "widoczny");
    EXPECT_EQ(grid.RowHeight(3), 21);
}

TEST_F(Store, AppendRowBlanksWhatTheStoreHeldAtTheNewRow)
{
    grid.SetCellText(1, 2, "stary");
    grid.SetCellText(9, 2, "poza kolumnami");
    grid.AppendRow();
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.CellText(1, 2), "");
    EXPECT_EQ(grid.CellText(9, 2), "");
    EXPECT_EQ(grid.RowHeight(2), 21);
}

TEST_F(Store, ClearAllCellsBlanksOnlyRowsBelowTheRowCount)
{
    grid.SetRowCount(5);
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 6; ++col)
            grid.SetCellText(col, row, "t" + std::to_string(row));
    grid.SetCellText(7, 1, "kolumna 7");
    grid.SetCurrentCell({3, 4});
    grid.ClearAllCells();
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 6; ++col)
            EXPECT_EQ(grid.CellText(col, row), row < 5 ? "" : "t" + std::to_string(row))
                << col << "," << row;
    EXPECT_EQ(grid.CellText(7, 1), "kolumna 7");
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.CurrentCell(), (GridCell{3, 4}));
}

TEST_F(Store, CellsOfARowAreIndependentWhateverTheOrderOfWriting)
{
    const std::string binary("\0\x01\xff", 3);
    grid.SetCellText(5, 1, "piąty");
    grid.SetCellText(1, 1, binary);
    grid.SetCellText(3, 1, std::string(300, 'x'));
    grid.SetCellText(1, 1, "pierwszy");
    grid.SetCellText(3, 1, "");
    EXPECT_EQ(grid.CellText(1, 1), "pierwszy");
    EXPECT_EQ(grid.CellText(3, 1), "");
    EXPECT_EQ(grid.CellText(5, 1), "piąty");
    grid.SetCellText(2, 1, binary);
    EXPECT_EQ(grid.CellText(2, 1), binary);
    grid.SetCellText(1, 1, "");
    grid.SetCellText(2, 1, "");
    grid.SetCellText(5, 1, "");
    EXPECT_EQ(grid.StoredRowCount(), 0u);
}

TEST_F(Store, RowCountOfZeroOrLessIsOneAndTheHeaderRowStopsBeingFixed)
{
    grid.SetRowCount(-3);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.FixedRows(), 0);
    EXPECT_EQ(grid.CurrentCell(), (GridCell{1, 0}));
    grid.SetRowCount(5);
    EXPECT_EQ(grid.FixedRows(), 0);
    grid.SetCurrentCell({2, 0});
    EXPECT_EQ(grid.CurrentCell(), (GridCell{2, 0}));
}

TEST_F(Store, ShrinkingMovesTheCurrentCellToTheLastRowAndCollapsesTheSelection)
{
    grid.SetRowCount(20);
    grid.SetCurrentCell({1, 3});
    grid.SetCurrentCell({4, 15}, true);
    EXPECT_EQ(grid.Selection(), (GridRect{1, 3, 4, 15}));
    grid.SetRowCount(10);
    EXPECT_EQ(grid.CurrentCell(), (GridCell{4, 9}));
    EXPECT_EQ(grid.Selection(), (GridRect{4, 9, 4, 9}));
    grid.SetCurrentCell({2, 2});
    grid.SetCurrentCell({3, 5}, true);
    grid.AppendRow();
    EXPECT_EQ(grid.Selection(), (GridRect{3, 5, 3, 5}));
}

TEST_F(Store, TheCurrentCellStaysAmongTheNormalCells)
{
    grid.SetRowCount(4);
    grid.SetCurrentCell({0, 0});
    EXPECT_EQ(grid.CurrentCell(), (GridCell{1, 1}));
    grid.SetCurrentCell({99, 99});
    EXPECT_EQ(grid.CurrentCell(), (GridCell{5, 3}));
}

TEST_F(Store, RowGeometryFollowsTheHeights)
{
    grid.SetRowCount(1000000);
    EXPECT_EQ(grid.RowTop(1000), 21000);
    grid.SetRowHeight(10, 40);
    EXPECT_EQ(grid.RowTop(11), 11 * 21 + 19);
    EXPECT_EQ(grid.RowAt(10 * 21 + 39), 10);
    EXPECT_EQ(grid.RowAt(10 * 21 + 40), 11);
    EXPECT_EQ(grid.RowAt(5 * 21), 5);
    EXPECT_EQ(grid.RowAt(INT64_MAX / 2), 999999);
    grid.SetRowCount(5);
    grid.SetRowCount(20);
    EXPECT_EQ(grid.RowHeight(10), 21); // the height of a row that left is forgotten
}

struct Recorder final : RecordGridStoreListener {
    std::vector<GridRect> cells;
    int layouts = 0;
    void cellsChanged(const GridRect& r) override { cells.push_back(r); }
    void layoutChanged() override { ++layouts; }
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

TEST_F(Store, ARowNeverWrittenCostsNothing)
{
    const std::size_t before = mallinfo2().uordblks;
    grid.SetRowCount(2000000000);
    EXPECT_LT(mallinfo2().uordblks - before, 4096u);
}

TEST_F(Store, PreviewedRowsStayWithinThreeTimesTheirTextPlus100Bytes)
{
    constexpr int kRows = 200000;
    const std::string texts[5] = {"Śruba sześciokątna M6", "szt.", "ŚR-M6-40", "0,35",
                                  "Ocynk, opak. 100 szt., do drewna"};
    std::size_t textBytes = 0;
    for (const auto& t : texts)
        textBytes += t.size();
    const std::size_t before = mallinfo2().uordblks;
    for (int r = 1; r <= kRows; ++r) {
        grid.AppendRow();
        for (int c = 1; c <= 5; ++c)
            grid.SetCellText(c, r, texts[c - 1]);
    }
    const double perRow = double(mallinfo2().uordblks - before) / kRows;
    RecordProperty("bytes_per_row", std::to_string(perRow));
    EXPECT_LE(perRow, 3.0 * double(textBytes) + 100.0) << "text bytes per row " << textBytes;
}

} // namespace
