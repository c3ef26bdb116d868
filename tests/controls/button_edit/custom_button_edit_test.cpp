#include "controls/button_edit/custom_button_edit.h"

#include "runtime/exceptions.h"
#include "tests/support/qt/error_capture.h"
#include "tests/support/qt/qt_printers.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDropEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// A field with a drop-down, as a calculator edit would have one.
class DropDownEdit : public TCustomButtonEdit
{
public:
    explicit DropDownEdit(QWidget* parent = nullptr) : TCustomButtonEdit(parent)
    {
        auto* popup = new QWidget;
        popup->setObjectName("Popup");
        popup->resize(104, 127);
        SetPopup(popup);
    }
    int accepted = 0;

protected:
    void acceptValue() override { ++accepted; }
};

// Counts enterings and leavings; can refuse to be left.
class CountingEdit : public TCustomButtonEdit
{
public:
    explicit CountingEdit(QWidget* parent = nullptr) : TCustomButtonEdit(parent) {}
    int entered = 0;
    int exited = 0;
    bool refuseExit = false;

protected:
    void doEnter(Qt::FocusReason) override { ++entered; }
    void doExit() override
    {
        ++exited;
        if (refuseExit) {
            QTimer::singleShot(0, this, [this] { setFocus(); });
            throw EConvertError("'+' is not a valid floating point value");
        }
    }
};

// A shown, active window holding the field under test and one other line edit.
template <typename Field> struct Window {
    Window()
    {
        top.resize(500, 120);
        field = new Field(&top);
        field->setGeometry(10, 10, 370, 21);
        other = new QLineEdit(&top);
        other->setObjectName("other");
        other->setGeometry(10, 50, 100, 21);
        top.show();
        top.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&top));
    }
    QToolButton* button() const { return field->template findChild<QToolButton*>("EditButton"); }
    QPoint buttonCentre() const { return button()->rect().center(); }

    QWidget top;
    Field* field = nullptr;
    QLineEdit* other = nullptr;
};

bool hasPixel(const QImage& image, QRgb rgb)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF))
                return true;
    return false;
}

// A glyph of 14 x 12 per image on magenta: a black square, and in a second image a red one.
QPixmap testGlyph(int images)
{
    QImage image(14 * images, 12, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter p(&image);
    p.fillRect(3, 3, 8, 6, Qt::black);
    if (images > 1)
        p.fillRect(14 + 3, 3, 8, 6, Qt::red);
    p.end();
    return QPixmap::fromImage(image);
}

TEST(ButtonEditLook, ButtonStandsInsideTheRightEdgeAtFullClientHeight)
{
    Window<TCustomButtonEdit> w;
    QWidget* panel = w.field->findChild<QWidget*>("EditButtonPanel");
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(w.button(), nullptr);
    const QRect g = panel->geometry();
    EXPECT_EQ(g.width(), 21);
    EXPECT_EQ(w.button()->size(), g.size());
    // The frame around it is the same on every side.
    const int frame = g.top();
    EXPECT_EQ(w.field->width() - 1 - g.right(), frame);
    EXPECT_EQ(w.field->height() - 1 - g.bottom(), frame);
}

TEST(ButtonEditLook, TextNeverRunsUnderTheButton)
{
    Window<TCustomButtonEdit> w;
    w.field->setText(QString(300, QLatin1Char('W')));
    w.field->setFocus();
    w.field->end(false);
    w.field->grab(); // the line edit scrolls to the caret as it paints
    const int buttonLeft = w.field->findChild<QWidget*>("EditButtonPanel")->x();
    const QRect caret = w.field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_LE(caret.center().x(), buttonLeft - 2);
    const QImage shot = w.field->grab().toImage();
    // Nothing of the text is drawn in the 2-pixel gap before the button.
    for (int y = 5; y < shot.height() - 5; ++y)
        EXPECT_EQ(shot.pixel(buttonLeft - 1, y), shot.pixel(buttonLeft - 1, 4)) << "row " << y;
}

TEST(ButtonEditLook, SeparatorLinesShowOnlyWhileNotPressed)
{
    Window<TCustomButtonEdit> w;
    const QPalette pal = w.button()->palette();
    const int mid = w.button()->height() / 2;
    QImage up = w.button()->grab().toImage();
    EXPECT_EQ(QColor(up.pixel(0, mid)), pal.color(QPalette::Button));
    EXPECT_EQ(QColor(up.pixel(1, mid)), pal.color(QPalette::Light));

    QTest::mousePress(w.button(), Qt::LeftButton, {}, w.buttonCentre());
    QImage down = w.button()->grab().toImage();
    EXPECT_NE(QColor(down.pixel(1, mid)), pal.color(QPalette::Light));
    QTest::mouseRelease(w.button(), Qt::LeftButton, {}, w.buttonCentre());
}

TEST(ButtonEditLook, GlyphBackgroundIsTransparentAndTheDisabledLookDerived)
{
    Window<TCustomButtonEdit> w;
    w.field->SetGlyph(testGlyph(1));
    QImage normal = w.button()->grab().toImage();
    EXPECT_FALSE(hasPixel(normal, qRgb(255, 0, 255)));
    EXPECT_TRUE(hasPixel(normal, qRgb(0, 0, 0)));

    w.field->setEnabled(false);
    EXPECT_FALSE(w.button()->isEnabled());
    QImage disabled = w.button()->grab().toImage();
    EXPECT_FALSE(hasPixel(disabled, qRgb(0, 0, 0)));
    EXPECT_TRUE(hasPixel(disabled, w.button()->palette().color(QPalette::Dark).rgb()));
}

TEST(ButtonEditLook, SecondImageIsTheDisabledLook)
{
    Window<TCustomButtonEdit> w;
    w.field->SetGlyph(testGlyph(2));
    w.field->SetNumGlyphs(2);
    EXPECT_FALSE(hasPixel(w.button()->grab().toImage(), qRgb(255, 0, 0)));
    w.field->setEnabled(false);
    EXPECT_TRUE(hasPixel(w.button()->grab().toImage(), qRgb(255, 0, 0)));
}

struct ClickKeyCase {
    const char* name;
    int buttonWidth;
    bool readOnly;
    QKeySequence clickKey;
    QKeyCombination pressed;
    int clicks;
};

class ClickKey : public ::testing::TestWithParam<ClickKeyCase>
{
};

TEST_P(ClickKey, ClicksTheButtonWhileItHasAWidth)
{
    const ClickKeyCase& c = GetParam();
    Window<TCustomButtonEdit> w;
    w.field->SetButtonWidth(c.buttonWidth);
    w.field->SetReadOnly(c.readOnly);
    if (!c.clickKey.isEmpty())
        w.field->SetClickKey(c.clickKey);
    w.field->setText("abc");
    w.field->setFocus();
    QSignalSpy clicks(w.field, &TCustomButtonEdit::OnButtonClick);
    QTest::keyClick(w.field, c.pressed.key(), c.pressed.keyboardModifiers());
    EXPECT_EQ(clicks.count(), c.clicks);
    EXPECT_EQ(w.field->text(), "abc");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ClickKey,
    ::testing::Values(
        ClickKeyCase{"AltDownByDefault", 21, false, {}, Qt::ALT | Qt::Key_Down, 1},
        ClickKeyCase{"DownAloneDoesNotClick", 21, false, {}, QKeyCombination(Qt::Key_Down), 0},
        ClickKeyCase{"NotWhileTheButtonHasNoWidth", 0, false, {}, Qt::ALT | Qt::Key_Down, 0},
        ClickKeyCase{"NotWhileReadOnly", 21, true, {}, Qt::ALT | Qt::Key_Down, 0},
        ClickKeyCase{"AnotherKey", 21, false, QKeySequence(Qt::Key_F4), QKeyCombination(Qt::Key_F4),
                     1},
        ClickKeyCase{"AnotherKeyReplacesAltDown", 21, false, QKeySequence(Qt::Key_F4),
                     Qt::ALT | Qt::Key_Down, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonEditClick, MouseClickRunsTheOperationUnlessReadOnly)
{
    Window<TCustomButtonEdit> w;
    QSignalSpy clicks(w.field, &TCustomButtonEdit::OnButtonClick);
    QTest::mouseClick(w.button(), Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_EQ(clicks.count(), 1);
    w.field->SetReadOnly(true);
    QTest::mouseClick(w.button(), Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_EQ(clicks.count(), 1);
}

TEST(ButtonEditClick, APressOnTheButtonPutsTheFocusInTheFieldNotTheButton)
{
    Window<TCustomButtonEdit> w;
    w.other->setFocus();
    QTest::mouseClick(w.button(), Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_EQ(QApplication::focusWidget(), w.field);
}

TEST(ButtonEditKeys, EnterAndEscapeReachTheDialogsButtons)
{
    QDialog dialog;
    auto* ok = new QPushButton("OK", &dialog);
    ok->setDefault(true);
    ok->move(0, 40);
    auto* field = new TCustomButtonEdit(&dialog);
    field->setGeometry(0, 0, 200, 21);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();
    QTest::keyClicks(field, "abc");
    QSignalSpy okClicks(ok, &QPushButton::clicked);
    QSignalSpy rejected(&dialog, &QDialog::rejected);

    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(okClicks.count(), 1);
    EXPECT_EQ(field->text(), "abc");

    dialog.show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_EQ(field->text(), "abc");
}

TEST(ButtonEditKeys, EnterAndEscapeDoNothingInAWindowWithoutDialogButtons)
{
    Window<TCustomButtonEdit> w;
    w.field->setFocus();
    QTest::keyClicks(w.field, "abc");
    QTest::keyClick(w.field, Qt::Key_Return);
    QTest::keyClick(w.field, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(w.field, Qt::Key_Escape);
    EXPECT_EQ(w.field->text(), "abc");
    EXPECT_EQ(QApplication::focusWidget(), w.field);
    EXPECT_TRUE(w.top.isVisible());
}

TEST(ButtonEditInput, DirectInputOffRefusesTypingButNotTheButton)
{
    Window<TCustomButtonEdit> w;
    w.field->setText("abc");
    w.field->SetDirectInput(false);
    w.field->setFocus();
    QTest::keyClicks(w.field, "xyz");
    QTest::keyClick(w.field, Qt::Key_Backspace);
    EXPECT_EQ(w.field->text(), "abc");
    QSignalSpy clicks(w.field, &TCustomButtonEdit::OnButtonClick);
    QTest::keyClick(w.field, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
}

// --- text from outside: one line of it ---

// One way text reaches a field from outside; false when the platform has no such way.
struct Arrival {
    const char* name;
    QString text;
    bool (*bring)(QLineEdit& field, const QString& text);
};

const Arrival kArrivals[] = {
    {"CtrlV", "Moje dane/mag.dat\nreszta",
     [](QLineEdit& f, const QString& t) {
         QApplication::clipboard()->setText(t);
         QTest::keyClick(&f, Qt::Key_V, Qt::ControlModifier);
         return true;
     }},
    {"ContextMenuPaste", "Moje dane/mag.dat\rreszta",
     [](QLineEdit& f, const QString& t) {
         QApplication::clipboard()->setText(t);
         QContextMenuEvent request(QContextMenuEvent::Mouse, {5, 5}, f.mapToGlobal(QPoint(5, 5)));
         QApplication::sendEvent(&f, &request);
         auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
         EXPECT_NE(menu, nullptr);
         for (QAction* action : menu ? menu->actions() : QList<QAction*>())
             if (action->text().startsWith(QLineEdit::tr("&Paste")))
                 action->trigger();
         if (menu)
             menu->close();
         return true;
     }},
    {"MiddleButtonSelection", "Moje dane/mag.dat\n",
     [](QLineEdit& f, const QString& t) {
         if (!QApplication::clipboard()->supportsSelection())
             return false;
         QApplication::clipboard()->setText(t, QClipboard::Selection);
         QTest::mouseClick(&f, Qt::MiddleButton, {}, {5, 5});
         return true;
     }},
    {"Drop", "Moje dane/mag.dat\nreszta",
     [](QLineEdit& f, const QString& t) {
         QMimeData data;
         data.setText(t);
         QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
         QApplication::sendEvent(&f, &enter);
         QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
         QApplication::sendEvent(&f, &drop);
         return true;
     }},
    {"InputMethod", "Moje dane/mag.dat\nreszta",
     [](QLineEdit& f, const QString& t) {
         QInputMethodEvent commit;
         commit.setCommitString(t);
         QApplication::sendEvent(&f, &commit);
         return true;
     }},
};

class TextFromOutside : public ::testing::TestWithParam<Arrival>
{
};

TEST_P(TextFromOutside, StopsAtItsFirstLineBreak)
{
    Window<TCustomButtonEdit> w;
    w.field->setFocus();
    if (!GetParam().bring(*w.field, GetParam().text))
        GTEST_SKIP() << "the platform has no such way";
    EXPECT_EQ(w.field->text(), "Moje dane/mag.dat");
}

INSTANTIATE_TEST_SUITE_P(Ways, TextFromOutside, ::testing::ValuesIn(kArrivals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonEditInput, AltWithACharacterTypesNothingButAltGrDoes)
{
    Window<TCustomButtonEdit> w;
    w.field->setFocus();
    QTest::keyClick(w.field, Qt::Key_1, Qt::AltModifier);
    QTest::keyClick(w.field, Qt::Key_A, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.field->text(), "");
    QTest::keyClick(w.field, Qt::Key_A, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_EQ(w.field->text(), "a");
}

TEST(ButtonEditFocus, TabbingInSelectsTheWholeTextClickingDoesNot)
{
    Window<TCustomButtonEdit> w;
    w.field->setText("/dane/mag.dat");
    w.other->setFocus();
    QTest::keyClick(w.other, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), w.field);
    EXPECT_EQ(w.field->selectedText(), "/dane/mag.dat");

    w.other->setFocus();
    QTest::mouseClick(w.field, Qt::LeftButton, {}, QPoint(30, 10));
    ASSERT_EQ(QApplication::focusWidget(), w.field);
    EXPECT_FALSE(w.field->hasSelectedText());
}

TEST(ButtonEditFocus, WithoutAutoSelectTabbingInSelectsNothing)
{
    Window<TCustomButtonEdit> w;
    w.field->setText("/dane/mag.dat");
    w.field->SetAutoSelect(false);
    w.other->setFocus();
    QTest::keyClick(w.other, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), w.field);
    EXPECT_FALSE(w.field->hasSelectedText());
}

TEST(ButtonEditFocus, EnterAndExitRunOncePerVisit)
{
    Window<CountingEdit> w;
    w.other->setFocus();
    const int entered = w.field->entered;
    const int exited = w.field->exited;
    QTest::keyClick(w.other, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.field->entered, entered + 1);
    QTest::keyClick(w.field, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.other);
    EXPECT_EQ(w.field->exited, exited + 1);
    w.field->setFocus();
    EXPECT_EQ(w.field->entered, entered + 2);
}

TEST(ButtonEditFocus, AFailedExitReportsTheErrorAndKeepsTheFieldEntered)
{
    ErrorCapture errors;
    Window<CountingEdit> w;
    w.field->setFocus();
    ASSERT_EQ(w.field->entered, 1);
    w.field->refuseExit = true;
    QTest::keyClick(w.field, Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(errors.messages[0], "'+' is not a valid floating point value");
    EXPECT_EQ(QApplication::focusWidget(), w.field);
    EXPECT_EQ(w.field->entered, 1);

    w.field->refuseExit = false;
    w.other->setFocus();
    EXPECT_EQ(w.field->exited, 2);
}

// --- the drop-down ---

TEST(ButtonEditDropDown, ClickKeyDropsThePopupDownUnderTheFieldsRightEdge)
{
    Window<DropDownEdit> w;
    w.field->setFocus();
    QTest::keyClick(w.field, Qt::Key_Down, Qt::AltModifier);
    QWidget* popup = w.field->Popup();
    ASSERT_TRUE(popup->isVisible());
    const QRect field(w.field->mapToGlobal(QPoint(0, 0)), w.field->size());
    EXPECT_EQ(popup->geometry().right(), field.right());
    EXPECT_EQ(popup->geometry().top(), field.bottom() + 1);
    EXPECT_EQ(QApplication::focusWidget(), w.field);
    EXPECT_TRUE(w.field->isReadOnly());
    QTest::keyClicks(w.field, "12");
    EXPECT_EQ(w.field->text(), "");
}

TEST(ButtonEditDropDown, ClickKeyAgainClosesWithAcceptance)
{
    Window<DropDownEdit> w;
    w.field->setFocus();
    QTest::keyClick(w.field, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(w.field, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->accepted, 1);
    EXPECT_FALSE(w.field->isReadOnly());
    QTest::keyClicks(w.field, "12");
    EXPECT_EQ(w.field->text(), "12");
}

TEST(ButtonEditDropDown, EscapeClosesWithoutAcceptanceAndGoesNoFurther)
{
    QDialog dialog;
    auto* field = new DropDownEdit(&dialog);
    field->setGeometry(0, 0, 200, 21);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(field->popupVisible());
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->popupVisible());
    EXPECT_EQ(field->accepted, 0);
    EXPECT_EQ(rejected.count(), 0);
    EXPECT_FALSE(field->isReadOnly());
}

TEST(ButtonEditDropDown, PressOnTheButtonClosesAndItsClickIsSwallowed)
{
    Window<DropDownEdit> w;
    QTest::mouseClick(w.button(), Qt::LeftButton, {}, w.buttonCentre());
    ASSERT_TRUE(w.field->popupVisible());
    EXPECT_EQ(QApplication::focusWidget(), w.field);

    QTest::mousePress(w.button(), Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->accepted, 1);
    QTest::mouseRelease(w.button(), Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_FALSE(w.field->popupVisible());

    QTest::mouseClick(w.button(), Qt::LeftButton, {}, w.buttonCentre());
    EXPECT_TRUE(w.field->popupVisible());
}

TEST(ButtonEditDropDown, ClosesWithoutAcceptanceOnAPressElsewhere)
{
    Window<DropDownEdit> w;
    w.field->setFocus();
    QTest::keyClick(w.field, Qt::Key_Down, Qt::AltModifier);
    QTest::mouseClick(w.field->Popup(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w.field->popupVisible()) << "a press on the pop-up itself keeps it";

    QTest::mouseClick(w.field, Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_FALSE(w.field->popupVisible());

    QTest::keyClick(w.field, Qt::Key_Down, Qt::AltModifier);
    QTest::mouseClick(w.other, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->accepted, 0);
}

TEST(ButtonEditDropDown, ClosesWithoutAcceptanceWhenTheFocusGoes)
{
    Window<DropDownEdit> w;
    w.field->setFocus();
    QTest::keyClick(w.field, Qt::Key_Down, Qt::AltModifier);
    w.other->setFocus();
    EXPECT_FALSE(w.field->popupVisible());
    EXPECT_EQ(w.field->accepted, 0);
    EXPECT_EQ(QApplication::focusWidget(), w.other);
}

struct OriginCase {
    const char* name;
    QRect field;
    TPopupAlign align;
    QPoint origin;
};

class PopupOrigin : public ::testing::TestWithParam<OriginCase>
{
};

// A screen of 1280 x 1024 and a pop-up of 104 x 127.
TEST_P(PopupOrigin, KeepsThePopupOnTheScreen)
{
    const OriginCase& c = GetParam();
    EXPECT_EQ(
        TCustomButtonEdit::PopupOrigin(c.field, QSize(104, 127), QRect(0, 0, 1280, 1024), c.align),
        c.origin);
}

INSTANTIATE_TEST_SUITE_P(
    Places, PopupOrigin,
    ::testing::Values(OriginCase{"BelowRightEdgesTogether", QRect(300, 200, 121, 21), epaRight,
                                 QPoint(300 + 121 - 104, 221)},
                      OriginCase{"LeftEdgeOnTheFieldsWhenItWouldLeaveTheScreen",
                                 QRect(10, 200, 60, 21), epaRight, QPoint(10, 221)},
                      OriginCase{"AboveWhenTheBottomWouldPassTheScreen", QRect(300, 900, 121, 21),
                                 epaRight, QPoint(317, 900 - 127)},
                      OriginCase{"PulledBackFromTheRightEdge", QRect(1250, 200, 60, 21), epaLeft,
                                 QPoint(1280 - 104, 221)}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
