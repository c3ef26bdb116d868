#include "controls/record_grid/record_grid_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

// The grid on the window is 649 x 188 with a one-pixel border: this is its viewport.
const QSize kViewport(647, 186);
constexpr int kRow = 21;
constexpr int kFixedCol = 64;
constexpr int kWideCol = 322;
constexpr int kCol = 64;
constexpr int kRowsUnderHeader = (186 - kRow) / kRow; // wholly visible

RecordGridStore storeWithRows(int rows)
{
    RecordGridStore store;
    store.SetRowCount(rows);
    return store;
}

struct CellRectCase {
    const char* name;
    int rows;
    QSize viewport;
    int firstRow;
    int firstCol;
    GridCell cell;
    QRect expected;
};

class CellRectTest : public ::testing::TestWithParam<CellRectCase>
{
};

TEST_P(CellRectTest, PlacesTheCellAndFindsItAgain)
{
    const CellRectCase& c = GetParam();
    const RecordGridStore store = storeWithRows(c.rows);
    const RecordGridGeometry g(store, c.viewport, c.firstRow, c.firstCol);
    EXPECT_EQ(g.cellRect(c.cell), c.expected);
    if (!c.expected.isEmpty()) {
        EXPECT_EQ(g.cellAt(c.expected.topLeft()), c.cell);
        const QPoint lastInView(std::min(c.expected.right(), c.viewport.width() - 1),
                                std::min(c.expected.bottom(), c.viewport.height() - 1));
        EXPECT_EQ(g.cellAt(lastInView), c.cell);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RecordGridGeometry, CellRectTest,
    ::testing::Values(
        CellRectCase{"CellRightOfWideColumn",
                     2,
                     kViewport,
                     1,
                     1,
                     {2, 1},
                     {kFixedCol + kWideCol, kRow, kCol, kRow}},
        CellRectCase{"RowBeyondRowCountHidden", 2, kViewport, 1, 1, {1, 2}, {}},
        CellRectCase{"FirstScrolledRowSitsUnderHeader",
                     300,
                     kViewport,
                     101,
                     1,
                     {1, 101},
                     {kFixedCol, kRow, kWideCol, kRow}},
        CellRectCase{"FixedColumnFollowsItsRow",
                     300,
                     kViewport,
                     101,
                     1,
                     {0, 101},
                     {0, kRow, kFixedCol, kRow}},
        CellRectCase{"RowScrolledUnderHeaderHidden", 300, kViewport, 101, 1, {1, 100}, {}},
        CellRectCase{"PartlyVisibleBottomRowKeepsItsHeight",
                     300,
                     kViewport,
                     1,
                     1,
                     {1, 8},
                     {kFixedCol, 8 * kRow, kWideCol, kRow}},
        CellRectCase{"ColumnScrolledUnderFixedColumnHidden", 2, QSize(300, 186), 1, 3, {2, 1}, {}},
        CellRectCase{"FirstScrolledColumnSitsRightOfFixedColumn",
                     2,
                     QSize(300, 186),
                     1,
                     3,
                     {3, 1},
                     {kFixedCol, kRow, kCol, kRow}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordGridGeometry, PointsPastTheCellsHitNothing)
{
    const RecordGridStore store;
    const RecordGridGeometry g(store, kViewport, 1, 1);
    EXPECT_EQ(g.cellAt({kFixedCol + kWideCol + 4 * kCol, 5}), std::nullopt);
    EXPECT_EQ(g.cellAt({10, 2 * kRow}), std::nullopt);
}

TEST(RecordGridGeometry, ScrollsAsLittleAsNeededAndNoFurtherThanTheLastRows)
{
    const RecordGridStore store = storeWithRows(300);
    const RecordGridGeometry top(store, kViewport, 1, 1);
    EXPECT_EQ(top.maxFirstRow(), 300 - kRowsUnderHeader);
    EXPECT_EQ(top.maxFirstCol(), 1); // all six columns fit
    EXPECT_EQ(top.firstRowShowing(200), 200 - kRowsUnderHeader + 1);
    EXPECT_EQ(top.firstRowShowing(kRowsUnderHeader), 1);
    EXPECT_EQ(top.firstRowShowing(0), 1);
    EXPECT_EQ(RecordGridGeometry(store, kViewport, 100, 1).firstRowShowing(50), 50);
}

TEST(RecordGridGeometry, VisibleRowsDoNotGrowWithTheRowCount)
{
    const RecordGridStore small = storeWithRows(100);
    const RecordGridStore huge = storeWithRows(1'000'000);
    const std::vector<int> atTop = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(RecordGridGeometry(small, kViewport, 1, 1).visibleRows(), atTop);
    EXPECT_EQ(RecordGridGeometry(huge, kViewport, 1, 1).visibleRows(), atTop);
    const std::vector<int> atEnd = {0,       999'992, 999'993, 999'994, 999'995,
                                    999'996, 999'997, 999'998, 999'999};
    EXPECT_EQ(RecordGridGeometry(huge, kViewport, 999'992, 1).visibleRows(), atEnd);
}

TEST(RecordGridGeometry, AreaOfCellsIsClippedToWhatIsInView)
{
    const RecordGridStore store = storeWithRows(300);
    const RecordGridGeometry g(store, kViewport, 101, 1);
    EXPECT_EQ(g.cellsRect({0, 0, 5, 299}),
              QRect(0, 0, kFixedCol + kWideCol + 4 * kCol, kViewport.height()));
    EXPECT_EQ(g.cellsRect({1, 50, 1, 60}), QRect());
    EXPECT_EQ(g.cellsRect({1, 95, 2, 105}), QRect(kFixedCol, kRow, kWideCol + kCol, 5 * kRow));
}

} // namespace
