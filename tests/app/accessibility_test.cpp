// The window as a screen reader reads it, through Qt's own accessibility interfaces.
#include "controls/record_grid/record_grid.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/stock_builder.h"

#include <QAccessible>
#include <gtest/gtest.h>

namespace
{

struct Named {
    const char* path; // object names from the window down, parted by "/"; "" the window
    const char* name;
    QAccessible::Role role;
};

const Named kNamed[] = {
    {"", "Naprawianie magazynu", QAccessible::Window},
    {"FilenameEdit1", "Plik magazynu QX705:", QAccessible::EditableText},
    {"FilenameEdit1/EditButton", "Wybierz plik", QAccessible::Button},
    {"ed_ile", "Ile rekordów zczytać?", QAccessible::EditableText},
    {"ed_ile/EditButton", "Kalkulator", QAccessible::Button},
    {"ed_ile/PopupCalculator/PopupCalcPanel/CalcButton7", "7", QAccessible::Button},
    {"ed_ile/PopupCalculator/PopupCalcPanel/CalcButtonBack", "Usuń ostatnią cyfrę",
     QAccessible::Button},
    {"RadioGroup1", " Metoda zczytywania ", QAccessible::Grouping},
    {"RadioGroup1Item1", "po podaniu ilości zapisów do oczytu", QAccessible::RadioButton},
    {"btn_koniec", "Koniec", QAccessible::Button},
    {"Button1", "Czytaj", QAccessible::Button},
    {"RecordGrid1", "Podgląd rekordów", QAccessible::Table},
};

class AccessibleName : public MainWindow, public ::testing::WithParamInterface<Named>
{
};

TEST_P(AccessibleName, IsWhatTheControlShowsOrDoes)
{
    QObject* control = form.get();
    for (const QString& name : QString::fromLatin1(GetParam().path).split(u'/', Qt::SkipEmptyParts))
        control = control ? control->findChild<QObject*>(name) : nullptr;
    ASSERT_NE(control, nullptr);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(GetParam().name));
    EXPECT_EQ(iface->role(), GetParam().role);
}

INSTANTIATE_TEST_SUITE_P(Window, AccessibleName, ::testing::ValuesIn(kNamed), [](const auto& info) {
    QString name = QString::fromLatin1(info.param.path);
    return name.isEmpty() ? "Form1" : name.remove(u'/').toStdString();
});

TEST_F(MainWindow, TheGridReadsAsATableOfWhatItShowsAfterAPreview)
{
    const std::string stock = scratch.file("mag.dat");
    // Windows-1250: "Mąka żytnia"; mark-up "<B>Nowość</B> &amp; rabat" shows "Nowość & rabat".
    writeFileBytes(stock,
                   recordBytes(makeRecord({"M\xB9ka \xBFytnia", "<B>Nowo\x9C\xE6</B> &amp; rabat",
                                           "kg", "3,20", "Opis"})) +
                       recordBytes(makeRecord({"Towar 2"})));
    typeStockName(stock);
    click("Button1");

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid());
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->rowCount(), grid()->RowCount());
    EXPECT_EQ(cells->columnCount(), 6);
    EXPECT_EQ(table->childCount(), grid()->RowCount() * 6);

    const struct {
        int row, col;
        const char* name;
        QAccessible::Role role;
    } expected[] = {
        {1, 1, "Mąka żytnia", QAccessible::Cell}, {1, 2, "Nowość & rabat", QAccessible::Cell},
        {2, 1, "Towar 2", QAccessible::Cell},     {0, 1, "", QAccessible::ColumnHeader},
        {1, 0, "", QAccessible::RowHeader},
    };
    for (const auto& e : expected) {
        QAccessibleInterface* cell = cells->cellAt(e.row, e.col);
        ASSERT_NE(cell, nullptr) << e.row << "," << e.col;
        EXPECT_EQ(cell->text(QAccessible::Name), QString::fromUtf8(e.name));
        EXPECT_EQ(cell->role(), e.role) << e.name;
        EXPECT_EQ(table->child(table->indexOfChild(cell)), cell) << "one interface a cell";
    }
    QAccessibleTableCellInterface* first = cells->cellAt(1, 1)->tableCellInterface();
    EXPECT_EQ(first->columnHeaderCells(), QList{cells->cellAt(0, 1)});
    EXPECT_EQ(first->rowHeaderCells(), QList{cells->cellAt(1, 0)});
    EXPECT_TRUE(first->isSelected()) << "the current cell is the selection";
}

} // namespace
