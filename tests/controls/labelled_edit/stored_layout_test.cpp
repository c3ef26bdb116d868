// Edits made from a stored layout compiled by uic: the order the layout writes properties in.
#include "tests/controls/labelled_edit/family_support.h"
#include "ui_stored_layout.h"

#include <gtest/gtest.h>

namespace
{

class StoredLayoutTest : public ::testing::Test
{
protected:
    StoredLayoutTest()
    {
        ui.setupUi(&top);
        ui.other->setFocus();
        top.show();
        top.activateWindow();
        [this] { ASSERT_TRUE(QTest::qWaitForWindowActive(&top)); }();
    }

    QWidget top;
    Ui::StoredLayout ui;
};

TEST_F(StoredLayoutTest, AStoredDisabledStateComesBeforeTheStoredColorDisabled)
{
    TMorvaEdit& edit = *ui.MorvaEdit1;
    EXPECT_EQ(edit.ColorDisabled(), clMaroon);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clBtnFace));
    edit.SetEnabled(false);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clMaroon));
}

TEST_F(StoredLayoutTest, TheStoredCaptionStandsBesideTheEditInTheStoredFont)
{
    TMorvaEdit& edit = *ui.MorvaEdit1;
    TLabel* label = edit.CaptionLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), &top);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->font().pixelSize(), 11) << "8 points at 96 dots per inch";
    EXPECT_EQ(label->geometry().right() + 1 + 3, edit.x());
    EXPECT_EQ(label->y(), 20 - 1 + (21 - label->height()) / 2);
    EXPECT_GT(pixelsIn(grabbed(edit), QColor(Qt::red)), 0) << "commented";

    edit.SetEnabled(true);
    QTest::keyClick(ui.other, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(edit.hasFocus());
}

TEST_F(StoredLayoutTest, TheCountFieldChangesOnlyItsBackground)
{
    TMorvaCalcEdit& count = *ui.ed_ile;
    EXPECT_EQ(count.CaptionLabel(), nullptr);
    EXPECT_EQ(count.EditLabelFont().Font().pixelSize(), 11);
    const int labels = top.findChildren<QLabel*>().size();

    const std::pair<const char*, std::function<void()>> steps[] = {
        {"after start", [] {}},
        {"enabled by the window", [&] { count.SetEnabled(true); }},
        {"focused", [&] { pressTab(ui.other); }},
        {"left", [&] { pressTab(&count); }},
        {"disabled again", [&] { count.SetEnabled(false); }},
    };
    const TColor expected[] = {clBtnFace, clWindow, clYellow, clWindow, clBtnFace};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].second();
        EXPECT_EQ(backgroundSeen(count), toQColor(expected[i])) << steps[i].first;
    }
    EXPECT_EQ(top.findChildren<QLabel*>().size(), labels);
}

} // namespace
