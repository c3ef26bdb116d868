// What the three labelled edits share, run once over each of them.
#include "controls/common/shipped_fonts.h"
#include "tests/controls/labelled_edit/family_support.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QPointer>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

namespace
{

template <typename Edit> class LabelledEditFamily : public ::testing::Test
{
protected:
    FamilyWindow<Edit> w;
    Edit& edit = *w.edit;

    TLabel& captionLabel(const QString& text)
    {
        edit.SetEditLabel(text);
        TLabel* label = edit.CaptionLabel();
        if (label == nullptr)
            throw std::logic_error("no caption label");
        return *label;
    }
};

using Members = ::testing::Types<TMorvaEdit, TMorvaCalcEdit, TMorvaDBEdit>;

struct MemberNames {
    template <typename T> static std::string GetName(int)
    {
        if constexpr (std::is_same_v<T, TMorvaEdit>)
            return "TMorvaEdit";
        if constexpr (std::is_same_v<T, TMorvaCalcEdit>)
            return "TMorvaCalcEdit";
        return "TMorvaDBEdit";
    }
};

TYPED_TEST_SUITE(LabelledEditFamily, Members, MemberNames);

// --- background colours ---

TYPED_TEST(LabelledEditFamily, BackgroundFollowsTheLatestEvent)
{
    auto& w = this->w;
    auto& edit = this->edit;
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"constructed", [] {}},
        {"Enabled written false", [&] { edit.SetEnabled(false); }},
        {"Enabled written true", [&] { edit.SetEnabled(true); }},
        {"tabbed into", [&] { pressTab(w.other); }},
        {"tabbed out of", [&] { pressTab(&edit); }},
        {"clicked into",
         [&] {
             QTest::mouseClick(&edit, Qt::LeftButton, {}, {10, 10});
         }},
        {"Enabled written true while focused", [&] { edit.SetEnabled(true); }},
        {"Enabled written false again", [&] { edit.SetEnabled(false); }},
        {"Enabled written false once more", [&] { edit.SetEnabled(false); }},
    };
    const TColor expected[] = {clWindow, clBtnFace, clWindow, clYellow, clWindow,
                               clYellow, clWindow,  clWindow, clBtnFace};
    // Qt moves the focus on from an edit that is disabled: that focus loss is the latest event.
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].second();
        EXPECT_EQ(backgroundSeen(edit), toQColor(expected[i])) << steps[i].first;
    }
    EXPECT_FALSE(edit.hasFocus());
}

TYPED_TEST(LabelledEditFamily, NewColoursShowAtTheNextFocusOrEnabledChange)
{
    auto& edit = this->edit;
    edit.SetColorNormal(clRed);
    edit.SetColorOnEnter(clMaroon);
    edit.SetColorDisabled(clBlack);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clWindow));

    edit.SetEnabled(true);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clRed));
    pressTab(this->w.other);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clMaroon));
    pressTab(&edit);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clRed));
    edit.SetEnabled(false);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clBlack));
}

TYPED_TEST(LabelledEditFamily, QtsOwnEnableSwitchesTheColoursButAParentsDoesNot)
{
    auto& edit = this->edit;
    edit.QWidget::setEnabled(false);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clBtnFace));
    edit.QWidget::setEnabled(true);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clWindow));

    this->w.panel->setEnabled(false);
    EXPECT_FALSE(edit.isEnabled());
    EXPECT_EQ(backgroundSeen(edit), toQColor(clWindow));
    this->w.panel->setEnabled(true);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clWindow));
}

TYPED_TEST(LabelledEditFamily, AnEditCreatedDisabledShowsColorDisabled)
{
    this->w.panel->setEnabled(false);
    auto* late = new TypeParam(this->w.panel);
    late->setGeometry(10, 10, 121, 21);
    late->show();
    EXPECT_EQ(backgroundSeen(*late), toQColor(clBtnFace));
}

TYPED_TEST(LabelledEditFamily, AContextMenuTakesNoFocusFromTheEdit)
{
    auto& edit = this->edit;
    pressTab(this->w.other);
    const QPoint at(20, 10);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, edit.mapToGlobal(at));
    QCoreApplication::sendEvent(&edit, &request);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clYellow)) << "while the menu is open";
    menu->close();
    EXPECT_EQ(backgroundSeen(edit), toQColor(clYellow)) << "after it closed";
    EXPECT_TRUE(edit.hasFocus());
}

TEST(LabelledEdit, PasteTakesTheFirstLineOnly)
{
    FamilyWindow<TMorvaEdit> w;
    w.edit->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("Moje dane/mag.dat\nreszta"));
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.edit->text(), QStringLiteral("Moje dane/mag.dat"));
}

// --- the caption label ---

TYPED_TEST(LabelledEditFamily, CaptionLabelExistsWhileEditLabelIsNotEmpty)
{
    auto& edit = this->edit;
    EXPECT_EQ(edit.CaptionLabel(), nullptr) << "none after construction";

    QPointer<TLabel> first = &this->captionLabel(QStringLiteral("Ilość"));
    EXPECT_EQ(first->parentWidget(), this->w.panel);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->text(), QStringLiteral("Ilość"));

    edit.SetEditLabel(QString());
    EXPECT_EQ(edit.CaptionLabel(), nullptr);
    EXPECT_TRUE(first.isNull()) << "freed";

    QWidget elsewhere(&this->w.top);
    elsewhere.setGeometry(0, 240, 480, 60);
    elsewhere.show();
    edit.setParent(&elsewhere);
    edit.show();
    TLabel& second = this->captionLabel(QStringLiteral("Ile?"));
    EXPECT_EQ(second.parentWidget(), &elsewhere) << "made on the parent of that moment";
    EXPECT_TRUE(second.isVisible());

    edit.setParent(this->w.panel);
    edit.show();
    EXPECT_EQ(second.parentWidget(), &elsewhere) << "stays on the old parent";
}

TYPED_TEST(LabelledEditFamily, AnEditWithoutParentMakesALabelThatIsNeverShown)
{
    auto* orphan = new TypeParam;
    orphan->SetEditLabel(QStringLiteral("Ilość"));
    ASSERT_NE(orphan->CaptionLabel(), nullptr);
    EXPECT_EQ(orphan->CaptionLabel()->parentWidget(), nullptr);

    orphan->setParent(this->w.panel);
    orphan->show();
    EXPECT_FALSE(orphan->CaptionLabel()->isVisible());
    delete orphan;
}

TYPED_TEST(LabelledEditFamily, TheLabelGoesWithTheEditExactlyOnce)
{
    TLabel& label = this->captionLabel(QStringLiteral("Ilość"));
    QSignalSpy destroyed(&label, &QObject::destroyed);
    delete &this->edit;
    EXPECT_EQ(destroyed.count(), 1);
    EXPECT_TRUE(this->w.panel->template findChildren<TLabel*>().isEmpty());
}

TYPED_TEST(LabelledEditFamily, ALabelDestroyedElsewhereIsForgotten)
{
    auto& edit = this->edit;
    delete &this->captionLabel(QStringLiteral("Ilość"));
    EXPECT_EQ(edit.CaptionLabel(), nullptr);
    EXPECT_EQ(edit.EditLabel(), QStringLiteral("Ilość"));

    pressTab(this->w.other);
    edit.move(160, 110);
    edit.SetEditLabelAlign(TypeParam::elRight);
    pressTab(&edit);
    EXPECT_EQ(edit.CaptionLabel(), nullptr) << "nothing brings it back but EditLabel";

    EXPECT_EQ(this->captionLabel(QStringLiteral("Znowu")).parentWidget(), this->w.panel);
}

TYPED_TEST(LabelledEditFamily, TheAcceleratorFocusesTheEdit)
{
    this->captionLabel(QStringLiteral("&Ilość"));
    QTest::keyClick(this->w.other, Qt::Key_I, Qt::AltModifier);
    EXPECT_TRUE(this->edit.hasFocus());
    EXPECT_EQ(this->w.other->text(), QString());
}

TYPED_TEST(LabelledEditFamily, TheCaptionNamesTheEditToAScreenReaderWhereverItStands)
{
    this->captionLabel(QStringLiteral("&Ilość"));
    for (int align = TypeParam::elTopLeft; align <= TypeParam::elRelative; ++align) {
        this->edit.SetEditLabelAlign(static_cast<CaptionPlacement::TEditLabelAlign>(align));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&this->edit)->text(QAccessible::Name),
                  QStringLiteral("Ilość"))
            << align;
    }
}

TYPED_TEST(LabelledEditFamily, LabelsOf13And26PixelsStandBesideThe21PixelEdit)
{
    auto& edit = this->edit;
    // Lines of 13 pixels: DejaVu Sans, or (Windows) the shipped MS Sans Serif, at 11 pixels.
    registerShippedFonts();
    QFont lines;
    lines.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("MS Sans Serif")});
    lines.setPixelSize(11);
    edit.SetEditLabelFont(TFont(lines));
    edit.SetEditLabelAlign(TypeParam::elLeft);

    TLabel& label = this->captionLabel(QStringLiteral("Ilość"));
    ASSERT_EQ(label.height(), 13);
    EXPECT_EQ(label.pos(), QPoint(150 - label.width() - 3, 100 + 3));

    edit.SetEditLabelWidth(40);
    edit.SetEditLabel(QStringLiteral("Ile rekordów"));
    ASSERT_EQ(label.height(), 26) << "two lines";
    EXPECT_EQ(label.pos(), QPoint(150 - 40 - 3, 100 - 3));
}

TYPED_TEST(LabelledEditFamily, MovingTheEditPlacesTheLabelAgainResizingDoesNot)
{
    auto& edit = this->edit;
    TLabel& label = this->captionLabel(QStringLiteral("Ilość"));
    edit.SetEditLabelAlign(TypeParam::elRight);
    const QPoint beside = label.pos();
    EXPECT_EQ(beside.x(), 150 + 121 + 3);

    edit.resize(200, 30);
    EXPECT_EQ(label.pos(), beside);

    edit.move(20, 50);
    EXPECT_EQ(label.pos().x(), 20 + 200 + 3);
    EXPECT_EQ(label.pos().y(), 50 - 1 + (30 - label.height()) / 2);
}

TYPED_TEST(LabelledEditFamily, TheFirstShowingPlacesTheLabelOfAnEditMovedWhileHidden)
{
    auto* late = new TypeParam(this->w.panel);
    late->SetEditLabelAlign(TypeParam::elRight);
    late->SetEditLabel(QStringLiteral("Ilość"));
    late->setGeometry(20, 150, 121, 21);
    EXPECT_NE(late->CaptionLabel()->x(), 20 + 121 + 3) << "a hidden edit has not moved yet";
    late->show();
    EXPECT_EQ(late->CaptionLabel()->x(), 20 + 121 + 3);
}

TYPED_TEST(LabelledEditFamily, AFixedLabelWidthWrapsTheText)
{
    auto& edit = this->edit;
    TLabel& label = this->captionLabel(QStringLiteral("Ile rekordów zczytać?"));
    const int oneLine = label.height();
    EXPECT_GT(label.width(), 60);

    edit.SetEditLabelWidth(60);
    EXPECT_EQ(label.width(), 60);
    EXPECT_GE(label.height(), 2 * oneLine) << "as high as the wrapped text";
    EXPECT_EQ(label.pos(), QPoint(150, 100 - label.height()));
}

TYPED_TEST(LabelledEditFamily, AFontChangedInPlaceShowsAtTheNextPlacement)
{
    auto& edit = this->edit;
    TFont big(windowFont());
    QFont f = big.Font();
    f.setPixelSize(24);
    f.setBold(true);
    big.SetFont(f);
    edit.SetEditLabelFont(big);
    TLabel& label = this->captionLabel(QStringLiteral("IIII"));
    EXPECT_EQ(pixelsIn(grabbed(label), toQColor(clRed)), 0);

    edit.EditLabelFont().SetColor(clRed);
    EXPECT_EQ(pixelsIn(grabbed(label), toQColor(clRed)), 0);
    edit.SetEditLabelLeft(0);
    EXPECT_GT(pixelsIn(grabbed(label), toQColor(clRed)), 20);
}

TYPED_TEST(LabelledEditFamily, ItsOwnLabelIsHighlightedWhileFocusedWhenTheMemberHasAHighlight)
{
    auto& edit = this->edit;
    TFont big(windowFont());
    QFont f = big.Font();
    f.setPixelSize(24);
    f.setBold(true);
    big.SetFont(f);
    edit.SetEditLabelFont(big);
    TLabel& label = this->captionLabel(QStringLiteral("IIII"));
    const QColor maroon = toQColor(clMaroon);
    const bool highlights = !std::is_same_v<TypeParam, TMorvaDBEdit>;

    pressTab(this->w.other);
    EXPECT_EQ(pixelsIn(grabbed(label), maroon) > 0, highlights);
    EXPECT_EQ(backgroundSeen(edit), toQColor(clYellow));

    edit.move(150, 90);
    EXPECT_EQ(pixelsIn(grabbed(label), maroon), 0) << "a placement resets the label's font";
    EXPECT_EQ(label.FontColor(), clWindowText);

    pressTab(&edit);
    EXPECT_EQ(label.FontColor(), clWindowText);
    EXPECT_EQ(pixelsIn(grabbed(label), maroon), 0);
}

// --- the comment marker ---

TYPED_TEST(LabelledEditFamily, TheCommentMarkerIsTenRedPixelsOverTheBasesPainting)
{
    auto& edit = this->edit;
    const QPoint origin = edit.clientArea().topLeft();
    std::set<std::pair<int, int>> expected;
    for (const auto& [x, y] :
         {std::pair{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 2}, {2, 2}, {3, 2}, {1, 3}, {2, 3}, {1, 4}})
        expected.insert({origin.x() + x, origin.y() + y});

    for (const bool focused : {false, true}) {
        if (focused)
            pressTab(this->w.other);
        edit.SetCommented(false);
        const QImage plain = grabbed(edit);
        edit.SetCommented(true);
        const QImage marked = grabbed(edit);
        std::set<std::pair<int, int>> changed;
        for (int y = 0; y < marked.height(); ++y)
            for (int x = 0; x < marked.width(); ++x)
                if (marked.pixelColor(x, y) != plain.pixelColor(x, y)) {
                    changed.insert({x, y});
                    EXPECT_EQ(marked.pixelColor(x, y), QColor(Qt::red)) << x << ", " << y;
                }
        EXPECT_EQ(changed, expected) << (focused ? "focused" : "not focused");
        if (!focused) {
            EXPECT_EQ(plain.pixelColor(origin + QPoint(1, 1)), backgroundSeen(edit))
                << "the marker stands on the background (focused, on the style's focus frame)";
        }
    }

    edit.SetCommented(false);
    EXPECT_EQ(pixelsIn(grabbed(edit), QColor(Qt::red)), 0);
}

} // namespace
