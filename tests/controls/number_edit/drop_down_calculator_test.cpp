#include "controls/calculator/calc_button_p.h"
#include "controls/calculator/popup_calc_panel_p.h"
#include "controls/calculator/popup_calculator.h"
#include "tests/controls/number_edit/calc_edit_support.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QToolButton>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace
{

QToolButton* editButton(TCalcEdit* field)
{
    return field->findChild<QToolButton*>(QStringLiteral("EditButton"));
}

TCalcButton* calcButton(TCalcEdit* field, const char* name)
{
    return field->Calculator()->findChild<TCalcButton*>(QStringLiteral("CalcButton") +
                                                        QString::fromLatin1(name));
}

// Keys as the keyboard sends them: to whatever has the focus.
void typeIntoFocus(const QString& keys)
{
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    typeKeys(QApplication::focusWidget(), keys);
}

void altDown()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
}

// The field holding text typed by the operator, focused by Tab.
void enterText(CalcWindow& w, const QString& text)
{
    w.field->setFocus(Qt::TabFocusReason);
    typeKeys(w.field, text);
    ASSERT_EQ(w.field->Text(), text);
}

struct LocaleCase {
    const char* name;
    QLocale locale;
};

const LocaleCase kLocales[] = {{"C", QLocale::c()}, {"Polish", polishLocale()}};

class DropDownCalculator : public ::testing::TestWithParam<LocaleCase>
{
protected:
    void SetUp() override { scope_ = std::make_unique<LocaleScope>(GetParam().locale); }
    void TearDown() override { scope_.reset(); }

private:
    std::unique_ptr<LocaleScope> scope_;
};

TEST_P(DropDownCalculator, TwelvePlusThreeAndEnterPutsFifteenIntoTheFieldSelected)
{
    CalcWindow w;
    enterText(w, QStringLiteral("12"));
    QSignalSpy changes(w.field, &TCustomNumberEdit::OnChange);
    QTest::mouseClick(editButton(w.field), Qt::LeftButton);
    ASSERT_TRUE(w.field->popupVisible());
    EXPECT_EQ(w.field->Calculator()->DisplayText(), QStringLiteral("12"));

    typeIntoFocus(QStringLiteral("+3<enter>"));
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->Text(), QStringLiteral("15"));
    EXPECT_EQ(w.field->selectedText(), QStringLiteral("15"));
    EXPECT_TRUE(w.field->isModified());
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(w.field->beeps, 0);
    EXPECT_TRUE(w.field->hasFocus());

    pressTab(w.field);
    EXPECT_EQ(w.field->Value(), 15);
}

TEST_P(DropDownCalculator, DivisionByZeroShowsErrorWithABeepUntilC)
{
    CalcWindow w;
    w.field->setFocus(Qt::TabFocusReason);
    altDown();
    typeIntoFocus(QStringLiteral("5/0="));
    EXPECT_TRUE(w.field->popupVisible()) << "an error delivers nothing";
    EXPECT_EQ(w.field->Calculator()->DisplayText(), QStringLiteral("Error"));
    EXPECT_EQ(w.field->beeps, 1);

    typeIntoFocus(QStringLiteral("="));
    EXPECT_TRUE(w.field->popupVisible());
    EXPECT_EQ(w.field->Calculator()->DisplayText(), QStringLiteral("Error"));
    EXPECT_EQ(w.field->beeps, 1);

    typeIntoFocus(QStringLiteral("c"));
    EXPECT_EQ(w.field->Calculator()->DisplayText(), QStringLiteral("0"));
    typeIntoFocus(QStringLiteral("7<enter>"));
    EXPECT_EQ(w.field->Text(), QStringLiteral("7"));
}

TEST_P(DropDownCalculator, AltDownOpensAndAltDownAgainAcceptsTheCurrentValue)
{
    CalcWindow w;
    enterText(w, QStringLiteral("12"));
    altDown();
    ASSERT_TRUE(w.field->popupVisible());
    typeIntoFocus(localised("*2{d}5"));
    EXPECT_EQ(w.field->Text(), QStringLiteral("12")) << "the text waits for the calculator";

    altDown();
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->Text(), localised("2{d}5")) << "the display, not the pending product";
    EXPECT_EQ(w.field->selectedText(), w.field->Text());
    EXPECT_FALSE(w.field->isReadOnly());
}

TEST_P(DropDownCalculator, FractionsComeBackWithTheLocaleSeparator)
{
    CalcWindow w;
    enterText(w, QStringLiteral("1"));
    altDown();
    typeIntoFocus(QStringLiteral("/3<enter>"));
    EXPECT_EQ(w.field->Text(), localised("0{d}333333333333333"));
    pressTab(w.field);
    EXPECT_EQ(w.field->Text(), localised("0{d}33")) << "the field's own decimals on leaving";
}

TEST_P(DropDownCalculator, StartsFromTheTextReadAsANumber)
{
    CalcWindow w;
    enterText(w, localised("2{d}5e1"));
    altDown();
    EXPECT_EQ(w.field->Calculator()->DisplayText(), QStringLiteral("25"));
    altDown();

    w.field->selectAll();
    typeKeys(w.field, QStringLiteral("5<home>+<end><bs>"));
    ASSERT_EQ(w.field->Text(), QStringLiteral("+"));
    altDown();
    EXPECT_EQ(w.field->Calculator()->DisplayText(), QStringLiteral("0"))
        << "text that does not read starts at 0";
    altDown();

    // Read as it stands, not normalised: a group separator in the text does not read.
    w.field->QLineEdit::setText(localised("1{g}5"));
    altDown();
    EXPECT_EQ(w.field->Calculator()->DisplayText(), QStringLiteral("0"));
}

INSTANTIATE_TEST_SUITE_P(Locales, DropDownCalculator, ::testing::ValuesIn(kLocales),
                         [](const auto& info) { return std::string(info.param.name); });

// --- the focus stays in the field ---

TEST(DropDownCalculatorFocus, StaysInTheFieldThroughOpenTypeClickAcceptAndCancel)
{
    CalcWindow w;
    enterText(w, QStringLiteral("12"));
    // Declared after the window, so it stops counting before the window's destruction moves
    // the focus.
    QSignalSpy focusChanges(qApp, &QApplication::focusChanged);
    auto focusIsTheField = [&](const char* when) {
        EXPECT_EQ(QApplication::focusWidget(), w.field) << when;
        EXPECT_EQ(QApplication::activeWindow(), &w.top) << when;
    };

    QTest::mouseClick(editButton(w.field), Qt::LeftButton);
    ASSERT_TRUE(w.field->popupVisible());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.field->Calculator()));
    focusIsTheField("opened by the button");
    typeIntoFocus(QStringLiteral("*"));
    focusIsTheField("typed");
    QTest::mouseClick(calcButton(w.field, "3"), Qt::LeftButton);
    focusIsTheField("a calculator button clicked");
    QTest::mouseClick(w.field->Calculator()->Panel(), Qt::LeftButton, {}, QPoint(2, 2));
    focusIsTheField("the calculator's panel clicked");
    QTest::mouseClick(calcButton(w.field, "Equals"), Qt::LeftButton);
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->Text(), QStringLiteral("36"));
    focusIsTheField("accepted");

    altDown();
    ASSERT_TRUE(w.field->popupVisible());
    focusIsTheField("opened by Alt+Down");
    typeIntoFocus(QStringLiteral("9<esc>"));
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->Text(), QStringLiteral("36"));
    focusIsTheField("cancelled");
    EXPECT_EQ(focusChanges.count(), 0);
}

TEST(DropDownCalculatorFocus, WindowIsAPopUpShownWithoutActivation)
{
    CalcWindow w;
    w.field->setFocus(Qt::TabFocusReason);
    TPopupCalculator* calculator = w.field->Calculator();
    ASSERT_NE(calculator, nullptr);
    EXPECT_FALSE(calculator->isVisible()) << "created with the field, hidden";
    altDown();
    EXPECT_TRUE(calculator->isWindow());
    EXPECT_EQ(calculator->windowType(), Qt::ToolTip);
    EXPECT_TRUE(calculator->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(calculator->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(calculator->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_FALSE(calculator->isActiveWindow());
    EXPECT_EQ(calculator->size(), QSize(104, 127));
    EXPECT_TRUE(calculator->font().bold());
    altDown();
    EXPECT_EQ(w.field->Calculator(), calculator) << "kept for the field's life";
}

// --- while open ---

TEST(DropDownCalculatorOpen, EditIsReadOnlyAndOtherKeysChangeNothing)
{
    CalcWindow w;
    enterText(w, QStringLiteral("12"));
    altDown();
    EXPECT_TRUE(w.field->isReadOnly());
    typeIntoFocus(QStringLiteral("xe<del><home>"));
    QTest::keyClick(w.field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.field->Text(), QStringLiteral("12"));
    EXPECT_EQ(w.field->beeps, 1) << "x refused by the key filter, e taken by it";
    EXPECT_EQ(w.field->Calculator()->DisplayText(), QStringLiteral("12"));
    typeIntoFocus(QStringLiteral("<esc>"));
    EXPECT_FALSE(w.field->isReadOnly());
    typeIntoFocus(QStringLiteral("<end>3"));
    EXPECT_EQ(w.field->Text(), QStringLiteral("123"));
}

TEST(DropDownCalculatorOpen, TypedKeyShowsItsButtonPressed)
{
    CalcWindow w;
    w.field->setFocus(Qt::TabFocusReason);
    altDown();
    TCalcButton* seven = calcButton(w.field, "7");
    TCalcButton* equals = calcButton(w.field, "Equals");
    typeIntoFocus(QStringLiteral("7"));
    EXPECT_TRUE(seven->isDown());
    EXPECT_FALSE(equals->isDown());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !seven->isDown(); })) << "the button comes up again";

    typeIntoFocus(QStringLiteral("q"));
    EXPECT_EQ(w.field->Calculator()->DisplayText(), localised("2{d}64575131106459"))
        << "keys without a button act directly";
}

TEST(DropDownCalculatorOpen, FieldPaintsTheCalculatorsDisplayFromTheLeft)
{
    CalcWindow w;
    QFont f = w.field->font();
    f.setStyleStrategy(QFont::NoAntialias);
    w.field->setFont(f);
    w.field->SetValue(12);
    w.field->setFocus(Qt::TabFocusReason);
    altDown();
    typeIntoFocus(QStringLiteral("5/0="));

    const QImage image = w.field->grab().toImage();
    const QRgb ink = w.field->palette().color(QPalette::Active, QPalette::Text).rgb();
    int left = image.width();
    int right = -1;
    const int panelLeft = w.field->findChild<QWidget*>(QStringLiteral("EditButtonPanel"))->x();
    for (int y = 2; y < image.height() - 2; ++y)
        for (int x = 2; x < panelLeft; ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (ink & 0xFFFFFF)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const int errorWidth = QFontMetrics(f).horizontalAdvance(QStringLiteral("Error"));
    ASSERT_GE(right, 0);
    EXPECT_LT(left, 8) << "left-aligned at the text margin";
    EXPECT_GE(right - left + 1, errorWidth - 4) << "\"Error\", not the text \"12\"";
    EXPECT_LE(right - left + 1, errorWidth);
    EXPECT_EQ(w.field->Text(), QStringLiteral("12"));
}

TEST(DropDownCalculatorOpen, BeepOnErrorOffKeepsTheCalculatorSilent)
{
    CalcWindow w;
    w.field->SetBeepOnError(false);
    w.field->setFocus(Qt::TabFocusReason);
    altDown();
    typeIntoFocus(QStringLiteral("1234567890123456/0="));
    altDown();
    EXPECT_EQ(w.field->Text(), QStringLiteral("0"));
    EXPECT_EQ(w.field->beeps, 0);
}

// --- closing ---

TEST(DropDownCalculatorClosing, AcceptingFromAnErrorGivesZeroWithABeep)
{
    CalcWindow w;
    enterText(w, QStringLiteral("12"));
    altDown();
    typeIntoFocus(QStringLiteral("/0="));
    ASSERT_EQ(w.field->beeps, 1);
    QTest::mouseClick(editButton(w.field), Qt::LeftButton);
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->Text(), QStringLiteral("0"));
    EXPECT_EQ(w.field->beeps, 2);
}

TEST(DropDownCalculatorClosing, ClickOnTheButtonWhileOpenAcceptsAndDoesNotReopen)
{
    CalcWindow w;
    enterText(w, QStringLiteral("12"));
    QTest::mouseClick(editButton(w.field), Qt::LeftButton);
    typeIntoFocus(QStringLiteral("8"));
    QTest::mouseClick(editButton(w.field), Qt::LeftButton);
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->Text(), QStringLiteral("8"));
    QTest::mouseClick(editButton(w.field), Qt::LeftButton);
    EXPECT_TRUE(w.field->popupVisible()) << "the next click opens it again";
    EXPECT_EQ(w.field->Calculator()->DisplayText(), QStringLiteral("8"));
}

TEST(DropDownCalculatorClosing, TheSameNumberIsNoChange)
{
    CalcWindow w;
    enterText(w, QStringLiteral("15"));
    w.field->setModified(false);
    QSignalSpy changes(w.field, &TCustomNumberEdit::OnChange);
    altDown();
    typeIntoFocus(QStringLiteral("="));
    EXPECT_EQ(w.field->Text(), QStringLiteral("15"));
    EXPECT_EQ(changes.count(), 0);
    EXPECT_FALSE(w.field->isModified());
    EXPECT_EQ(w.field->selectedText(), QStringLiteral("15"));
}

struct Cancel {
    const char* name;
    void (*act)(CalcWindow&);
    bool fieldKeepsTheFocus;
};

const Cancel kCancels[] = {
    {"Escape", [](CalcWindow&) { typeIntoFocus(QStringLiteral("<esc>")); }, true},
    {"PressInTheText",
     [](CalcWindow& w) { QTest::mouseClick(w.field, Qt::LeftButton, {}, QPoint(20, 10)); }, true},
    {"ClickOnAnotherControl",
     [](CalcWindow& w) { QTest::mouseClick(w.button, Qt::LeftButton, {}, w.buttonCentre()); },
     false},
    {"ClickOnTheWindow",
     [](CalcWindow& w) { QTest::mouseClick(&w.top, Qt::LeftButton, {}, QPoint(390, 110)); }, true},
    {"Tab", [](CalcWindow& w) { pressTab(w.field); }, false},
};

class ClosingWithoutAcceptance : public ::testing::TestWithParam<Cancel>
{
};

TEST_P(ClosingWithoutAcceptance, LeavesTheText)
{
    CalcWindow w;
    enterText(w, QStringLiteral("12"));
    altDown();
    typeIntoFocus(QStringLiteral("+9"));
    GetParam().act(w);
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->Text(), QStringLiteral("12"));
    EXPECT_EQ(w.field->hasFocus(), GetParam().fieldKeepsTheFocus);
    EXPECT_FALSE(w.field->isReadOnly());
    EXPECT_EQ(w.field->beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingWithoutAcceptance, ::testing::ValuesIn(kCancels),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DropDownCalculatorClosing, ReadOnlyFieldDoesNotOpen)
{
    CalcWindow w;
    w.field->SetReadOnly(true);
    w.field->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(editButton(w.field), Qt::LeftButton);
    altDown();
    EXPECT_FALSE(w.field->popupVisible());
}

// --- placement ---

struct Placement {
    const char* name;
    QRect field; // on a screen of 1280 x 1024
    QPoint origin;
};

// clang-format off
const Placement kPlacements[] = {
    {"BelowWithRightEdgesTogether", {500, 400, 121, 21}, {500 + 121 - 104, 421}},
    {"NearTheTopStillBelow", {500, 0, 121, 21}, {517, 21}},
    {"NearTheLeftEdgeLeftEdgesTogether", {5, 400, 60, 21}, {5, 421}},
    {"PartlyLeftOfTheScreenPulledOnto", {-30, 400, 121, 21}, {0, 421}},
    {"NearTheRightEdgeStillRightEdgesTogether", {1159, 400, 121, 21}, {1176, 421}},
    {"PartlyRightOfTheScreenPulledBack", {1220, 400, 121, 21}, {1280 - 104, 421}},
    {"NearTheBottomAbove", {500, 990, 121, 21}, {517, 990 - 127}},
    {"BottomExactlyOnTheScreensEdgeStaysBelow", {500, 1024 - 127 - 21, 121, 21}, {517, 1024 - 127}},
    {"BottomLeftCornerAboveLeftEdgesTogether", {5, 990, 60, 21}, {5, 990 - 127}},
    {"BottomRightCornerAbovePulledBack", {1220, 990, 121, 21}, {1176, 990 - 127}},
};
// clang-format on

class CalculatorPlacement : public ::testing::TestWithParam<Placement>
{
};

TEST_P(CalculatorPlacement, KeepsTheCalculatorOnTheScreen)
{
    const Placement& c = GetParam();
    EXPECT_EQ(
        TCustomButtonEdit::PopupOrigin(c.field, QSize(104, 127), QRect(0, 0, 1280, 1024), epaRight),
        c.origin);
}

INSTANTIATE_TEST_SUITE_P(ScreenEdges, CalculatorPlacement, ::testing::ValuesIn(kPlacements),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CalculatorPlacementOnScreen, OpensAboveAFieldAtTheBottomOfTheScreen)
{
    CalcWindow w;
    const QRect screen = w.top.screen()->geometry();
    w.top.move(screen.left() + 200, screen.bottom() - 60);
    QTest::qWait(0);
    w.field->setFocus(Qt::TabFocusReason);
    altDown();
    const QRect field(w.field->mapToGlobal(QPoint(0, 0)), w.field->size());
    ASSERT_GT(field.bottom() + 127, screen.bottom());
    const QRect calculator = w.field->Calculator()->frameGeometry();
    EXPECT_EQ(calculator.bottom(), field.top() - 1);
    EXPECT_EQ(calculator.right(), field.right());
}

// --- look ---

TEST(CalculatorLook, ButtonsStandWhereTheOperatorLooksForThem)
{
    LocaleScope scope(polishLocale());
    TPopupCalculator calculator;
    calculator.Start(0);
    TPopupCalcPanel* panel = calculator.Panel();
    const struct {
        int left, top;
        const char* caption;
    } keypad[] = {
        {6, 6, "7"},   {29, 6, "8"},  {52, 6, "9"},   {75, 6, "/"},  {6, 29, "4"},
        {29, 29, "5"}, {52, 29, "6"}, {75, 29, "*"},  {6, 52, "1"},  {29, 52, "2"},
        {52, 52, "3"}, {75, 52, "-"}, {6, 75, "0"},   {29, 75, ","}, {52, 75, "\u00B1"},
        {75, 75, "+"}, {6, 98, "C"},  {29, 98, "<-"}, {52, 98, "="},
    };
    for (const auto& k : keypad) {
        auto* button = qobject_cast<TCalcButton*>(panel->childAt(k.left + 1, k.top + 1));
        ASSERT_NE(button, nullptr) << k.caption;
        EXPECT_EQ(button->text(), QString::fromUtf8(k.caption));
        EXPECT_EQ(panel->childAt(k.left - 1, k.top - 1), nullptr) << "gap before " << k.caption;
    }
    EXPECT_EQ(panel->childAt(95, 118), panel->childAt(53, 99)) << "\"=\" is 44 x 21";
    EXPECT_EQ(panel->childAt(96, 100), nullptr);
    EXPECT_EQ(panel->findChildren<TCalcButton*>().size(), 19);
    EXPECT_EQ(panel->geometry(), QRect(1, 1, 102, 125)) << "fills the window inside its border";
}

TEST(CalculatorLook, ScalesWithTheScreensDotsPerInch)
{
    TPopupCalculator calculator;
    calculator.SetPixelsPerInch(120);
    EXPECT_EQ(calculator.size(), QSize(130, 159));
    auto* equals = calculator.findChild<TCalcButton*>(QStringLiteral("CalcButtonEquals"));
    EXPECT_EQ(equals->geometry(), QRect(65, 123, 55, 26));
    calculator.SetPixelsPerInch(96);
    EXPECT_EQ(equals->geometry(), QRect(52, 98, 44, 21));
}

TEST(CalculatorLook, CaptionColours)
{
    TPopupCalculator calculator;
    QFont f = calculator.font();
    f.setStyleStrategy(QFont::NoAntialias);
    calculator.setFont(f);
    auto inks = [&](const char* name, const QColor& colour) {
        const QImage image =
            calculator.findChild<TCalcButton*>(QStringLiteral("CalcButton") + name)
                ->grab()
                .toImage();
        for (int y = 2; y < image.height() - 2; ++y)
            for (int x = 2; x < image.width() - 2; ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (colour.rgb() & 0xFFFFFF))
                    return true;
        return false;
    };
    const QColor purple(128, 0, 128);
    const QColor maroon(128, 0, 0);
    EXPECT_TRUE(inks("7", calculator.palette().color(QPalette::ButtonText)));
    EXPECT_TRUE(inks("Sign", calculator.palette().color(QPalette::ButtonText)));
    EXPECT_FALSE(inks("7", purple));
    EXPECT_TRUE(inks("Add", purple));
    EXPECT_TRUE(inks("Equals", purple));
    EXPECT_TRUE(inks("Back", maroon));
    EXPECT_FALSE(inks("Back", purple));
}

} // namespace
