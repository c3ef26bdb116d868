#include "controls/file_dialog/file_dialog.h"
#include "tests/support/qt/qt_printers.h"

#include <gtest/gtest.h>

namespace
{

TEST(FileDialogFilters, DescriptionsStayAndStarDotStarTakesEveryName)
{
    EXPECT_EQ(dialogNameFilters("All files (*.*)|*.*"), QStringList{"All files (*.*) (*)"});
    EXPECT_EQ(dialogNameFilters("Pliki magaznynów|*.rek"), QStringList{"Pliki magaznynów (*.rek)"});
    EXPECT_EQ(dialogNameFilters("Dane|*.dat;*.rek|Wszystko|*.*"),
              (QStringList{"Dane (*.dat *.rek)", "Wszystko (*)"}));
    EXPECT_EQ(dialogNameFilters("bez wzorca"), QStringList{});
}

TEST(FileDialogFilters, AFilterTextWithoutPatternsShowsEveryName)
{
    TFileDialog dialog;
    dialog.setFilter(QStringLiteral("bez wzorca"));
    EXPECT_EQ(dialog.nameFilters(), QStringList{"(*)"});
    ASSERT_NE(dialog.nameField(), nullptr);
}

} // namespace
