// The label highlight of the members that have one, across linked edits of every member.
#include "tests/controls/labelled_edit/family_support.h"

#include <QPointer>
#include <gtest/gtest.h>

#include <memory>

namespace
{

// A large bold caption, so the highlight colour shows in whole pixels.
TFont captionFont()
{
    QFont f = windowFont();
    f.setPixelSize(24);
    f.setBold(true);
    return TFont(f);
}

bool showsIn(QWidget& label, TColor color)
{
    return pixelsIn(grabbed(label), toQColor(color)) > 0;
}

template <typename Edit> class LabelHighlight : public ::testing::Test
{
protected:
    LabelHighlight()
    {
        edit.SetEditLabelFont(captionFont());
        edit.SetEditLabel(QStringLiteral("IIII"));
    }

    // A second member on the panel, with a caption label unless the text is empty.
    template <typename Other> Other& addMember(const QString& caption)
    {
        auto* other = new Other(w.panel);
        other->setGeometry(150, 180, 121, 21);
        other->SetEditLabelFont(captionFont());
        other->SetEditLabel(caption);
        other->show();
        return *other;
    }

    // Focus changes as Tab makes them, whatever the tab order of the added members.
    void enter() { edit.setFocus(Qt::TabFocusReason); }
    void leave() { w.other->setFocus(Qt::TabFocusReason); }

    FamilyWindow<Edit> w;
    Edit& edit = *w.edit;
};

using Highlighting = ::testing::Types<TMorvaEdit, TMorvaCalcEdit>;

struct HighlightingNames {
    template <typename T> static std::string GetName(int)
    {
        return std::is_same_v<T, TMorvaEdit> ? "TMorvaEdit" : "TMorvaCalcEdit";
    }
};

TYPED_TEST_SUITE(LabelHighlight, Highlighting, HighlightingNames);

TYPED_TEST(LabelHighlight, ALinkedLabelOfEachMemberIsHighlightedInsteadOfTheOwn)
{
    auto& edit = this->edit;
    TLabel& own = *edit.CaptionLabel();
    std::unique_ptr<QWidget> targets[] = {
        std::unique_ptr<QWidget>(&this->template addMember<TMorvaEdit>(QStringLiteral("III"))),
        std::unique_ptr<QWidget>(&this->template addMember<TMorvaCalcEdit>(QStringLiteral("III"))),
        std::unique_ptr<QWidget>(&this->template addMember<TMorvaDBEdit>(QStringLiteral("III"))),
    };
    for (auto& target : targets) {
        TLabel& linked = *LabelledEdit::Of(target.get())->CaptionLabel();
        edit.SetLinkToControlLabel(target.get());
        this->enter();
        EXPECT_TRUE(showsIn(linked, clMaroon)) << target->metaObject()->className();
        EXPECT_FALSE(showsIn(own, clMaroon));
        EXPECT_EQ(this->w.top.focusWidget(), &edit);
        this->leave();
        EXPECT_FALSE(showsIn(linked, clMaroon));
    }
}

TYPED_TEST(LabelHighlight, TwoEditsLinkedToOneLabelHandItOverWithoutLosingItsColour)
{
    auto& second = this->template addMember<TMorvaEdit>(QString());
    TLabel& label = *this->edit.CaptionLabel();
    second.SetLinkToControlLabel(&this->edit);
    second.SetEditLabelClActive(clRed);

    this->enter();
    EXPECT_TRUE(showsIn(label, clMaroon));
    second.setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(showsIn(label, clRed));
    EXPECT_FALSE(showsIn(label, clMaroon)) << "restored by the first before the second took it";
    this->leave();
    EXPECT_FALSE(showsIn(label, clRed));
    EXPECT_EQ(label.FontColor(), clWindowText);
}

TYPED_TEST(LabelHighlight, ALinkToAnotherKindOfControlHighlightsNothing)
{
    auto& edit = this->edit;
    QLineEdit stranger(this->w.panel);
    auto& bare = this->template addMember<TMorvaEdit>(QString());
    for (QWidget* link : {static_cast<QWidget*>(&stranger), static_cast<QWidget*>(&bare)}) {
        edit.SetLinkToControlLabel(link);
        this->enter();
        EXPECT_FALSE(showsIn(*edit.CaptionLabel(), clMaroon));
        EXPECT_EQ(backgroundSeen(edit), toQColor(clYellow)) << "the background still switches";
        this->leave();
    }
}

TYPED_TEST(LabelHighlight, ALinkedControlDestroyedFirstIsNeverUsedAgain)
{
    auto& edit = this->edit;
    auto* target = &this->template addMember<TMorvaDBEdit>(QStringLiteral("III"));
    edit.SetLinkToControlLabel(target);
    delete target;
    EXPECT_EQ(edit.LinkToControlLabel(), nullptr);

    this->enter();
    EXPECT_TRUE(showsIn(*edit.CaptionLabel(), clMaroon)) << "with the link gone, its own label";
    this->leave();
    EXPECT_FALSE(showsIn(*edit.CaptionLabel(), clMaroon));
}

TYPED_TEST(LabelHighlight, AnEditDestroyedWithTheFocusGivesTheLinkedLabelItsColourBack)
{
    auto& target = this->template addMember<TMorvaEdit>(QStringLiteral("III"));
    TLabel& label = *target.CaptionLabel();
    this->edit.SetLinkToControlLabel(&target);
    this->enter();
    ASSERT_TRUE(showsIn(label, clMaroon));

    delete &this->edit;
    EXPECT_FALSE(showsIn(label, clMaroon));
}

TEST(DataAwareEditFocus, ChangesTheBackgroundButNoLabelColour)
{
    FamilyWindow<TMorvaDBEdit> w;
    w.edit->SetEditLabelFont(captionFont());
    w.edit->SetEditLabel(QStringLiteral("IIII"));
    auto* linking = new TMorvaEdit(w.panel);
    linking->SetLinkToControlLabel(w.edit);

    w.edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(backgroundSeen(*w.edit), toQColor(clYellow));
    EXPECT_FALSE(showsIn(*w.edit->CaptionLabel(), clMaroon));
    EXPECT_EQ(w.edit->CaptionLabel()->FontColor(), clWindowText);
}

} // namespace
