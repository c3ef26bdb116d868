#include "runtime/exceptions.h"
#include "tests/controls/number_edit/calc_edit_support.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <string>

namespace
{

struct LocaleCase {
    const char* name;
    QLocale locale;
};

const LocaleCase kLocales[] = {{"C", QLocale::c()}, {"Polish", polishLocale()}};

std::string localeName(const ::testing::TestParamInfo<LocaleCase>& info)
{
    return info.param.name;
}

// --- what the operator types, and what the text is once the field is left ---

struct Entry {
    const char* name;
    const char* keys;           // typed into the focused, empty field
    const char* textAfterLeave; // what the operations then read
    long double value;
    int beeps;
};

const Entry kEntries[] = {
    {"Digits", "25", "25", 25, 0},
    {"TrailingZeroDecimals", "25{d}00", "25", 25, 0},
    {"DecimalsAndExponent", "2{d}5e1", "25", 25, 0},
    {"Exponent", "1e3", "1000", 1000, 0},
    {"PlusPutInFront", "25<home>+", "25", 25, 0},
    {"LoneMinusLeavesNothing", "-", "", 0, 0},
    {"ZeroLeavesNothing", "0", "", 0, 0},
    {"NegativeNumber", "-12{d}5", "-12{d}5", -12.5L, 0},
    {"FractionKept", "2{d}5", "2{d}5", 2.5L, 0},
    {"DotTypesTheDecimalPoint", "2.5", "2{d}5", 2.5L, 0},
    {"ThirdDecimalRefused", "7{d}001", "7", 7, 1},
    {"PlusRefusedInEmptyField", "+5", "5", 5, 1},
    {"LetterRefused", "5a", "5", 5, 1},
    {"ExponentMarkFirstRefused", "e5", "5", 5, 1},
    {"GroupSeparatorTypedAndIgnored", "2{g}500", "2500", 2500, 0},
    {"DecimalsBeforeExponentLimited", "1{d}23e1", "12{d}3", 12.3L, 0},
};

class TypingAndLeaving : public ::testing::TestWithParam<std::tuple<LocaleCase, Entry>>
{
};

TEST_P(TypingAndLeaving, LeavesTheRebuiltText)
{
    const auto& [locale, entry] = GetParam();
    LocaleScope scope(locale.locale);
    CalcWindow w;
    w.field->setFocus(Qt::TabFocusReason);
    typeKeys(w.field, localised(entry.keys));
    EXPECT_EQ(w.field->beeps, entry.beeps) << w.field->Text().toStdString();

    pressTab(w.field);
    ASSERT_TRUE(w.button->hasFocus());
    EXPECT_EQ(w.field->Text(), localised(entry.textAfterLeave));
    EXPECT_EQ(w.field->Value(), entry.value);
}

INSTANTIATE_TEST_SUITE_P(CountField, TypingAndLeaving,
                         ::testing::Combine(::testing::ValuesIn(kLocales),
                                            ::testing::ValuesIn(kEntries)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

// --- the rules in one locale or the other ---

class NumberText : public ::testing::TestWithParam<LocaleCase>
{
protected:
    void SetUp() override { scope_ = std::make_unique<LocaleScope>(GetParam().locale); }
    void TearDown() override { scope_.reset(); }

private:
    std::unique_ptr<LocaleScope> scope_;
};

TEST_P(NumberText, WritingTextStoresTheNumberAndRebuildsIt)
{
    TCalcEdit field;
    field.SetText(localised(" 1{g}234.5 "));
    EXPECT_EQ(field.Value(), 1234.5L);
    EXPECT_EQ(field.Text(), localised("1234{d}5"));

    field.SetText(QString());
    EXPECT_EQ(field.Value(), 0);
    EXPECT_EQ(field.Text(), QString());
}

TEST_P(NumberText, WritingTextThatIsNoNumberFailsAndKeepsTheField)
{
    TCalcEdit field;
    field.SetValue(12);
    EXPECT_THROW(field.SetText(QStringLiteral("12x")), EConvertError);
    EXPECT_EQ(field.Text(), QStringLiteral("12"));
    EXPECT_EQ(field.Value(), 12);
}

TEST_P(NumberText, TextPropertyReportsTextThatIsNoNumber)
{
    ErrorCapture errors;
    TCalcEdit field;
    field.setProperty("Value", 12.5);
    EXPECT_EQ(field.Text(), localised("12{d}5"));
    field.setProperty("Text", QStringLiteral("abc"));
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(errors.messages[0], "'abc' is not a valid floating point value");
    EXPECT_EQ(field.Value(), 12.5L);
}

TEST_P(NumberText, ReadingValueOfTextThatIsNoNumberGivesMinValue)
{
    ErrorCapture errors;
    CalcWindow w;
    w.field->SetMinValue(-5);
    w.field->SetMaxValue(5);
    w.field->SetValue(3);
    w.field->setFocus(Qt::MouseFocusReason);
    typeKeys(w.field, QStringLiteral("<home>+<end><bs>"));
    ASSERT_EQ(w.field->Text(), QStringLiteral("+"));
    EXPECT_EQ(w.field->Value(), -5);
    EXPECT_TRUE(errors.messages.empty());
}

TEST_P(NumberText, SettingsRebuildTheText)
{
    TCalcEdit field;
    field.SetValue(2.345L);
    EXPECT_EQ(field.Text(), localised("2{d}35"));
    field.SetDecimalPlaces(1);
    EXPECT_EQ(field.Text(), localised("2{d}3"));
    field.SetDecimalPlaces(0);
    EXPECT_EQ(field.Text(), QStringLiteral("2"));

    field.SetValue(0);
    EXPECT_EQ(field.Text(), QString());
    field.SetZeroEmpty(false);
    EXPECT_EQ(field.Text(), QStringLiteral("0"));
}

TEST_P(NumberText, ChangedBoundsClampTheStoredValue)
{
    TCalcEdit field;
    field.SetValue(50);
    field.SetMaxValue(10);
    EXPECT_EQ(field.Text(), QStringLiteral("10"));
    field.SetMinValue(20); // MaxValue now below MinValue and not 0: no bound acts
    field.SetValue(-7);
    EXPECT_EQ(field.Text(), QStringLiteral("-7"));
    field.SetMaxValue(0); // only MinValue acts
    EXPECT_EQ(field.Text(), QStringLiteral("20"));
}

TEST_P(NumberText, DisplayGroupsThousandsAndShowsZero)
{
    TCalcEdit field;
    EXPECT_EQ(field.DisplayText(), QStringLiteral("0"));
    field.SetValue(2500);
    EXPECT_EQ(field.Text(), QStringLiteral("2500"));
    EXPECT_EQ(field.DisplayText(), localised("2{g}500"));
    field.SetValue(-1234567.891L);
    EXPECT_EQ(field.DisplayText(), localised("-1{g}234{g}567{d}89"));
    field.SetDisplayFormat(QString());
    EXPECT_EQ(field.DisplayText(), localised("-1234567{d}891"));
}

TEST_P(NumberText, NegativeNumbersRefusedWithPositiveRange)
{
    CalcWindow w;
    w.field->SetMaxValue(100);
    w.field->setFocus(Qt::TabFocusReason);
    typeKeys(w.field, QStringLiteral("-5"));
    EXPECT_EQ(w.field->Text(), QStringLiteral("-")) << "'-' alone reads as -0, not negative";
    EXPECT_EQ(w.field->beeps, 1);
    typeKeys(w.field, QStringLiteral("<bs>5<home>-"));
    EXPECT_EQ(w.field->Text(), QStringLiteral("5"));
    EXPECT_EQ(w.field->beeps, 2);
}

TEST_P(NumberText, TypedCharacterReplacesTheSelection)
{
    CalcWindow w;
    w.field->SetValue(12.34L);
    w.field->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(w.field->selectedText(), localised("12{d}34"));
    typeKeys(w.field, QStringLiteral("9"));
    EXPECT_EQ(w.field->Text(), QStringLiteral("9"));
    EXPECT_EQ(w.field->beeps, 0);
}

TEST_P(NumberText, EscapeRestoresTheTextFromTheValueAndSelectsIt)
{
    CalcWindow w;
    w.field->SetValue(12);
    w.field->setFocus(Qt::MouseFocusReason);
    typeKeys(w.field, localised("<end>3{d}5"));
    ASSERT_EQ(w.field->Text(), localised("123{d}5"));
    typeKeys(w.field, QStringLiteral("<esc>"));
    EXPECT_EQ(w.field->Text(), QStringLiteral("12"));
    EXPECT_EQ(w.field->selectedText(), QStringLiteral("12"));
}

TEST_P(NumberText, FormatOnEditingGroupsWhileTyping)
{
    CalcWindow w;
    w.field->SetFormatOnEditing(true);
    w.field->SetValue(1234);
    w.field->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(w.field->Text(), localised("1{g}234"));
    typeKeys(w.field, QStringLiteral("<end>567"));
    EXPECT_EQ(w.field->Text(), localised("1{g}234{g}567"));
    EXPECT_EQ(w.field->cursorPosition(), w.field->Text().size());
    typeKeys(w.field, QStringLiteral("<home><del>"));
    EXPECT_EQ(w.field->Text(), localised("234{g}567"));
    EXPECT_EQ(w.field->cursorPosition(), 0);
    pressTab(w.field);
    EXPECT_EQ(w.field->Text(), QStringLiteral("234567"));
}

TEST_P(NumberText, ChangeReportsEditsButNotRebuilding)
{
    CalcWindow w;
    QSignalSpy changes(w.field, &TCustomNumberEdit::OnChange);
    w.field->setFocus(Qt::TabFocusReason);
    typeKeys(w.field, QStringLiteral("42"));
    EXPECT_EQ(changes.count(), 2);
    pressTab(w.field); // the text is rebuilt, unchanged or not
    w.field->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(changes.count(), 2);
}

// --- paste ---

TEST_P(NumberText, PasteTakesNumberTextWithAnyDecimals)
{
    CalcWindow w;
    w.field->setFocus(Qt::TabFocusReason);
    QGuiApplication::clipboard()->setText(localised("7{d}001"));
    QTest::keyClick(w.field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.field->Text(), localised("7{d}001"));
    EXPECT_EQ(w.field->Value(), 7.001L);
    pressTab(w.field);
    EXPECT_EQ(w.field->Text(), QStringLiteral("7"));
}

TEST_P(NumberText, PasteTakesTheFirstLineOnly)
{
    CalcWindow w;
    w.field->setFocus(Qt::TabFocusReason);
    QGuiApplication::clipboard()->setText(QStringLiteral("25\r\n"));
    QTest::keyClick(w.field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.field->Text(), QStringLiteral("25"));
    EXPECT_EQ(w.field->beeps, 0);
}

TEST_P(NumberText, FailedPasteRestoresTheTextSelectedWithABeep)
{
    CalcWindow w;
    w.field->SetValue(12);
    w.field->setFocus(Qt::MouseFocusReason);
    w.field->setCursorPosition(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(w.field, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w.field->Text(), QStringLiteral("12"));
    EXPECT_EQ(w.field->selectedText(), QStringLiteral("12"));
    EXPECT_EQ(w.field->beeps, 1);
    EXPECT_TRUE(w.field->hasFocus());
}

TEST_P(NumberText, ContextMenuPasteFollowsThePasteRule)
{
    CalcWindow w;
    w.field->SetValue(12);
    w.field->setFocus(Qt::MouseFocusReason);
    QGuiApplication::clipboard()->setText(QStringLiteral("1x"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            w.field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w.field, &event);
    QMenu* menu = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(top); m && m->isVisible())
            menu = m;
    ASSERT_NE(menu, nullptr);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QLineEdit::tr("&Paste")))
            paste = action;
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    EXPECT_EQ(w.field->Text(), QStringLiteral("12"));
    EXPECT_EQ(w.field->beeps, 1);
}

TEST_P(NumberText, NoPasteWithoutDirectInput)
{
    CalcWindow w;
    w.field->SetDirectInput(false);
    w.field->setFocus(Qt::TabFocusReason);
    QGuiApplication::clipboard()->setText(QStringLiteral("5"));
    QTest::keyClick(w.field, Qt::Key_V, Qt::ControlModifier);
    typeKeys(w.field, QStringLiteral("6"));
    EXPECT_EQ(w.field->Text(), QString());
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberText, ::testing::ValuesIn(kLocales), localeName);

TEST(NumberTextInC, CommaIsTheGroupSeparatorAndIgnored)
{
    LocaleScope scope(QLocale::c());
    CalcWindow w;
    w.field->setFocus(Qt::TabFocusReason);
    typeKeys(w.field, QStringLiteral("2,5"));
    EXPECT_EQ(w.field->Text(), QStringLiteral("2,5"));
    pressTab(w.field);
    EXPECT_EQ(w.field->Text(), QStringLiteral("25"));
}

} // namespace
