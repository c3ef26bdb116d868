// Where the caret stands after entering and clicking: CursorToStart of the labelled edit, and
// the calculator edit's own behaviour in its labelled form.
#include "tests/controls/labelled_edit/family_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

const QString kText = QStringLiteral("0123456789012345678901234");

struct Caret {
    int position;
    bool selection;
    bool operator==(const Caret&) const = default;
};

void PrintTo(const Caret& caret, std::ostream* os)
{
    *os << "caret at " << caret.position << (caret.selection ? " with a selection" : "");
}

Caret caretOf(const QLineEdit& edit)
{
    return {edit.cursorPosition(), edit.hasSelectedText()};
}

class CursorToStart : public ::testing::Test
{
protected:
    CursorToStart()
    {
        w.edit->setText(kText);
        w.edit->SetCursorToStart(true);
    }

    QPoint middle() const { return w.edit->rect().center(); }
    int clickedSpot() const { return w.edit->cursorPositionAt(middle()); }
    void click() { QTest::mouseClick(w.edit, Qt::LeftButton, {}, middle()); }

    FamilyWindow<TMorvaEdit> w;
};

TEST_F(CursorToStart, TheClickThatEntersLeavesTheCaretAtTheStartTheNextPlacesIt)
{
    ASSERT_GT(clickedSpot(), 0);
    click();
    EXPECT_TRUE(w.edit->hasFocus());
    EXPECT_EQ(caretOf(*w.edit), (Caret{0, false}));
    click();
    EXPECT_EQ(caretOf(*w.edit), (Caret{clickedSpot(), false}));
}

TEST_F(CursorToStart, TabbingInUndoesTheSelectionAndTheFirstClickStillGoesToTheStart)
{
    pressTab(w.other);
    EXPECT_EQ(caretOf(*w.edit), (Caret{0, false}));
    click();
    EXPECT_EQ(caretOf(*w.edit), (Caret{0, false}));
    click();
    EXPECT_EQ(caretOf(*w.edit), (Caret{clickedSpot(), false}));
}

TEST_F(CursorToStart, EveryEntryStartsAgain)
{
    click();
    click();
    pressTab(w.edit);
    click();
    EXPECT_EQ(caretOf(*w.edit), (Caret{0, false}));
}

TEST_F(CursorToStart, AWindowComingBackIsNoEntry)
{
    click();
    click();
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    w.top.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.top));
    ASSERT_TRUE(w.edit->hasFocus());
    click();
    EXPECT_EQ(caretOf(*w.edit), (Caret{clickedSpot(), false}));
}

TEST_F(CursorToStart, OffLeavesTheCaretToTheLineEdit)
{
    w.edit->SetCursorToStart(false);
    pressTab(w.other);
    EXPECT_EQ(caretOf(*w.edit), (Caret{int(kText.size()), true})) << "the line edit selects all";
    click();
    EXPECT_EQ(caretOf(*w.edit), (Caret{clickedSpot(), false}));
}

// Tab in, click, Tab out, click in again: the caret after each step.
template <typename Edit> std::vector<Caret> caretsThroughEntering()
{
    FamilyWindow<Edit> w;
    w.edit->SetValue(12345678);
    std::vector<Caret> carets;
    pressTab(w.other);
    carets.push_back(caretOf(*w.edit));
    QTest::mouseClick(w.edit, Qt::LeftButton, {}, QPoint(30, 10));
    carets.push_back(caretOf(*w.edit));
    pressTab(w.edit);
    QTest::mouseClick(w.edit, Qt::LeftButton, {}, QPoint(30, 10));
    carets.push_back(caretOf(*w.edit));
    return carets;
}

TEST(LabelledCalcEditCaret, IsTheCalculatorEdits)
{
    const std::vector<Caret> labelled = caretsThroughEntering<TMorvaCalcEdit>();
    EXPECT_EQ(labelled, caretsThroughEntering<TCalcEdit>());
    ASSERT_EQ(labelled.size(), 3u);
    EXPECT_TRUE(labelled[0].selection) << "the calculator edit selects on Tab";
    EXPECT_GT(labelled[2].position, 0) << "a click into it places the caret";
}

} // namespace
