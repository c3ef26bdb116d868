#include "controls/common/error_sink.h"
#include "controls/common/shipped_fonts.h"
#include "tests/controls/number_edit/calc_edit_support.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace
{

// --- leaving with text that is not a number ---

// A plus sign before a digit, then the digit deleted: "+", which does not read.
void typeLonePlus(CountingCalcEdit* field)
{
    field->setFocus(Qt::TabFocusReason);
    typeKeys(field, QStringLiteral("5<home>+<end><bs>"));
    ASSERT_EQ(field->Text(), QStringLiteral("+"));
}

TEST(LeavingTheField, WithTextThatIsNoNumberShowsTheErrorAndKeepsTheFocus)
{
    ErrorCapture errors;
    CalcWindow w;
    w.field->SetValue(12);
    typeLonePlus(w.field);

    pressTab(w.field);
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(errors.messages[0], "'+' is not a valid floating point value");
    EXPECT_TRUE(w.field->hasFocus());
    EXPECT_EQ(w.field->selectedText(), QStringLiteral("+"));
    EXPECT_TRUE(w.field->Focused());

    typeKeys(w.field, QStringLiteral("3"));
    pressTab(w.field);
    EXPECT_EQ(errors.messages.size(), 1u);
    EXPECT_TRUE(w.button->hasFocus());
    EXPECT_EQ(w.field->Text(), QStringLiteral("3"));
}

TEST(LeavingTheField, ByMouseOnAButtonSwallowsThatClick)
{
    ErrorCapture errors;
    CalcWindow w;
    QSignalSpy clicks(w.button, &QPushButton::clicked);
    typeLonePlus(w.field);

    QTest::mouseClick(w.button, Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(w.button->isDown());
    EXPECT_TRUE(w.field->hasFocus());

    typeKeys(w.field, QStringLiteral("4"));
    QTest::mouseClick(w.button, Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_EQ(clicks.count(), 1) << "the next click, once the text is a number, goes through";
    EXPECT_TRUE(w.button->hasFocus());
}

TEST(LeavingTheField, ClickIsSwallowedAlsoWhenTheErrorBoxRunsItsOwnLoop)
{
    CalcWindow w;
    QSignalSpy clicks(w.button, &QPushButton::clicked);
    int shown = 0;
    setErrorSink([&](const std::exception&) {
        ++shown;
        QDialog box(&w.top);
        box.setModal(true);
        QTimer::singleShot(0, &box, &QDialog::accept);
        box.exec();
    });
    typeLonePlus(w.field);

    QTest::mouseClick(w.button, Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(clicks.count(), 0);

    setErrorSink(nullptr);
    typeKeys(w.field, QStringLiteral("4"));
    QTest::mouseClick(w.button, Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_EQ(clicks.count(), 1);
}

TEST(LeavingTheField, CheckOnExitRefusesAValueOutOfRange)
{
    LocaleScope scope(polishLocale());
    ErrorCapture errors;
    CalcWindow w;
    w.field->SetMinValue(1);
    w.field->SetMaxValue(10);
    w.field->SetCheckOnExit(true);
    w.field->setFocus(Qt::TabFocusReason);
    typeKeys(w.field, QStringLiteral("15"));

    pressTab(w.field);
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(errors.messages[0], "Value must be between 1,00 and 10,00");
    EXPECT_TRUE(w.field->hasFocus());
    EXPECT_EQ(w.field->selectedText(), QStringLiteral("15"));
}

TEST(LeavingTheField, PutsTheCaretAtTheStart)
{
    CalcWindow w;
    w.field->setFocus(Qt::TabFocusReason);
    typeKeys(w.field, QStringLiteral("1e3"));
    pressTab(w.field);
    EXPECT_EQ(w.field->Text(), QStringLiteral("1000"));
    EXPECT_EQ(w.field->cursorPosition(), 0);
    EXPECT_FALSE(w.field->Focused());
}

TEST(LeavingTheField, BeingDisabledLeavesEvenWithTextThatIsNoNumber)
{
    ErrorCapture errors;
    CalcWindow w;
    w.field->SetValue(8);
    typeLonePlus(w.field);
    w.field->setEnabled(false);
    EXPECT_FALSE(w.field->hasFocus());
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(w.field->Text(), QStringLiteral("8"));
    EXPECT_FALSE(w.field->Focused());
}

// --- painting ---

// The box around the pixels of the text's colour inside the field.
std::optional<QRect> inkOf(const QImage& image, QColor colour)
{
    std::optional<QRect> box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour.rgb() & 0xFFFFFF)) {
                const QRect p(x, y, 1, 1);
                box = box ? box->united(p) : p;
            }
    return box;
}

// Pixels of one colour alone, so that the painted text can be found by its colour.
void plainText(TCalcEdit* field)
{
    QFont f = field->font();
    f.setStyleStrategy(QFont::NoAntialias);
    field->setFont(f);
}

// Without the button and the frame: where the painted text may stand.
QImage textArea(TCalcEdit* field)
{
    const QImage all = field->grab().toImage();
    const QWidget* panel = field->findChild<QWidget*>(QStringLiteral("EditButtonPanel"));
    return all.copy(2, 2, panel->x() - 2 - 2, field->height() - 4);
}

TEST(Painting, NeverEditedFieldShowsZeroAgainstTheButton)
{
    CalcWindow w;
    plainText(w.field);
    ASSERT_EQ(w.field->Text(), QString());
    const QColor ink = w.field->palette().color(QPalette::Active, QPalette::Text);
    const auto box = inkOf(textArea(w.field), ink);
    ASSERT_TRUE(box.has_value());

    const QWidget* panel = w.field->findChild<QWidget*>(QStringLiteral("EditButtonPanel"));
    const int zeroWidth = QFontMetrics(w.field->font()).horizontalAdvance(QStringLiteral("0"));
    // The text's cell ends one pixel plus the inner margin (2) before the 2-pixel gap; the
    // text area image starts 2 pixels into the field.
    const int cellRight = panel->x() - 2 - 1 - 2 - 2;
    EXPECT_LE(box->right(), cellRight);
    EXPECT_GE(box->left(), cellRight - zeroWidth);
    EXPECT_LE(box->width(), zeroWidth);
}

TEST(Painting, DisabledNeverEditedFieldShowsAGreyZero)
{
    CalcWindow w;
    plainText(w.field);
    w.field->setEnabled(false);
    const QImage image = textArea(w.field);
    const QPalette pal = w.field->palette();
    const QColor grey = pal.color(QPalette::Disabled, QPalette::Text);
    ASSERT_NE(grey.rgb(), pal.color(QPalette::Active, QPalette::Text).rgb());
    EXPECT_TRUE(inkOf(image, grey).has_value());
    EXPECT_FALSE(inkOf(image, pal.color(QPalette::Active, QPalette::Text)).has_value());
}

TEST(Painting, DisabledFieldOnAGreyBackgroundKeepsItsTextColour)
{
    CalcWindow w;
    plainText(w.field);
    QPalette pal = w.field->palette();
    pal.setColor(QPalette::Disabled, QPalette::Base, pal.color(QPalette::Disabled, QPalette::Text));
    w.field->setPalette(pal);
    w.field->setEnabled(false);
    EXPECT_TRUE(inkOf(textArea(w.field), pal.color(QPalette::Active, QPalette::Text)).has_value());
}

TEST(Painting, FocusedFieldShowsItsEditTextFromTheLeft)
{
    CalcWindow w;
    // The window's own font, so that "2500" is as wide on every system.
    registerShippedFonts();
    w.top.setFont(atStoredResolution(QFont(QStringLiteral("MS Sans Serif"), 8)));
    plainText(w.field);
    w.field->SetValue(2500);
    const QColor ink = w.field->palette().color(QPalette::Active, QPalette::Text);
    const auto shown = inkOf(textArea(w.field), ink);
    w.field->setFocus(Qt::MouseFocusReason);
    const auto edited = inkOf(textArea(w.field), ink);
    ASSERT_TRUE(shown && edited);
    EXPECT_LT(edited->left(), 6);
    EXPECT_GT(shown->left(), 40);
}

TEST(Painting, ButtonShowsTheSecondImageWhenDisabled)
{
    CalcWindow w;
    auto* button = w.field->findChild<QToolButton*>(QStringLiteral("EditButton"));
    const QColor teal(0, 128, 128);
    EXPECT_TRUE(inkOf(button->grab().toImage(), teal).has_value());
    w.field->setEnabled(false);
    const QImage disabled = button->grab().toImage();
    EXPECT_FALSE(inkOf(disabled, teal).has_value());
    EXPECT_TRUE(inkOf(disabled, QColor(128, 128, 128)).has_value());
}

} // namespace
