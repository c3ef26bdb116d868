// The grid as a screen reader reads it while the operator moves in it.
#include "tests/controls/record_grid/grid_fixture.h"

#include <QAccessible>

namespace
{

TEST_F(RecordGridView, ATableReportsTheCurrentCellAndTheSelectionAndLetsGoOfOldRows)
{
    grid.SetRowCount(10);
    activate();
    press(Qt::Key_Down);
    press(Qt::Key_Right, Qt::ShiftModifier);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&grid);
    QAccessibleTableInterface* table = iface->tableInterface();
    QAccessibleInterface* current = table->cellAt(2, 2);
    EXPECT_EQ(iface->focusChild(), current);
    EXPECT_TRUE(current->state().focused);
    EXPECT_TRUE(current->state().selected);
    EXPECT_FALSE(table->cellAt(2, 1)->state().focused);
    EXPECT_TRUE(table->cellAt(2, 1)->state().selected);
    EXPECT_FALSE(table->cellAt(1, 1)->state().selected);
    EXPECT_EQ(table->selectedCellCount(), 2);
    EXPECT_EQ(current->rect(), QRect(grid.viewport()->mapToGlobal(grid.cellRect({2, 2}).topLeft()),
                                     grid.cellRect({2, 2}).size()));

    const QAccessible::Id kept = QAccessible::uniqueId(current);
    grid.store().AppendRow();
    EXPECT_NE(QAccessible::uniqueId(table->cellAt(2, 2)), kept);
    EXPECT_EQ(QAccessible::accessibleInterface(kept), nullptr) << "let go with the old rows";
    EXPECT_EQ(table->rowCount(), 11);
}

} // namespace
