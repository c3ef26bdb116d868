#include "app/application.h"
#include "controls/common/error_sink.h"
#include "runtime/exceptions.h"
#include "tests/app/modal_watcher.h"
#include "tests/support/qt/qt_printers.h"
#include "tests/support/qt/window_wait.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <ostream>

#include <stdexcept>

namespace
{

struct FullStopCase {
    const char* name;
    std::string message;
    std::string shown;
};
void PrintTo(const FullStopCase& c, std::ostream* os)
{
    *os << c.name;
}

class FullStopRule : public ::testing::TestWithParam<FullStopCase>
{
};

TEST_P(FullStopRule, AppendedAfterLastByteAboveFullStop)
{
    ModalWatcher watcher;
    showException(Exception(GetParam().message));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].text.toStdString(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FullStopRule,
    ::testing::Values(
        FullStopCase{"Letter", "File not found", "File not found."},
        FullStopCase{"Digit", "I/O error 32", "I/O error 32."},
        FullStopCase{"QuoteAboveFullStop", "'abc' is not a valid integer value",
                     "'abc' is not a valid integer value."},
        FullStopCase{"ClosingQuote", "Invalid file name - 'x'", "Invalid file name - 'x'"},
        FullStopCase{"Colon", "Przyczyna:", "Przyczyna:."},
        FullStopCase{"SlashIsAboveFullStop", "C:/", "C:/."},
        FullStopCase{"PolishLetter", "Zły plik ś", "Zły plik ś."},
        FullStopCase{"FullStop", "Done.", "Done."}, FullStopCase{"Exclamation", "Stop!", "Stop!"},
        FullStopCase{"Dash", "minus -", "minus -"},
        FullStopCase{"TrailingSpace", "space ", "space "}, FullStopCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorDisplay, BoxIsAnApplicationModalStopBoxWithOneOkCaptionedWithTheTitle)
{
    ModalWatcher watcher;
    showException(EInOutError(io_code::kFileNotFound));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    const auto& box = watcher.boxes[0];
    EXPECT_EQ(box.title, QStringLiteral("app_tests"));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttons.size(), 1);
    EXPECT_EQ(box.modality, Qt::ApplicationModal);
}

TEST(ErrorDisplay, AnyStandardErrorShowsItsText)
{
    ModalWatcher watcher;
    showException(std::runtime_error("out of room"));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].text, QStringLiteral("out of room."));
}

TEST(ErrorDisplay, MarkupInAMessageIsShownAsTyped)
{
    ModalWatcher watcher;
    showException(Exception("<b>x</b> & y"));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].format, Qt::PlainText);
    EXPECT_EQ(watcher.boxes[0].text, QStringLiteral("<b>x</b> & y."));
}

class EQuietStop : public EAbort
{
};

TEST(ErrorDisplay, AbortAndItsDescendantsShowNothing)
{
    ModalWatcher watcher;
    showException(EAbort());
    showException(EQuietStop());
    EXPECT_TRUE(watcher.boxes.empty());
}

// A small window with two fields, the second focused, standing for any window of the tool.
struct TwoFields {
    QWidget window;
    QLineEdit* first = new QLineEdit(&window);
    QLineEdit* second = new QLineEdit(&window);
    TwoFields()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        showActive(window);
        second->setFocus();
    }
};

TEST(ErrorDisplay, ActiveWindowAndFocusComeBackAfterOk)
{
    TwoFields fields;
    ModalWatcher watcher;
    showException(Exception("x"));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    waitUntilActive(fields.window);
    EXPECT_EQ(QApplication::focusWidget(), fields.second);
}

TEST(ErrorDisplay, OpensInTheMiddleOfTheActiveWindowsScreen)
{
    TwoFields fields;
    ModalWatcher watcher;
    showException(Exception("x"));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    const QPoint middle = fields.window.screen()->availableGeometry().center();
    const QPoint boxMiddle = watcher.boxes[0].geometry.center();
    EXPECT_LE((boxMiddle - middle).manhattanLength(), 2);
}

TEST(ErrorDisplay, MouseCaptureAndPopupAreReleasedFirst)
{
    TwoFields fields;
    fields.first->grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), fields.first);
    QMenu menu;
    menu.addAction(QStringLiteral("a"));
    menu.popup(fields.window.mapToGlobal(QPoint(5, 5)));
    ASSERT_EQ(QApplication::activePopupWidget(), &menu);

    ModalWatcher watcher;
    showException(EAbort());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST(ErrorDisplay, HandlerErrorEndsTheHandlerAndIsShownOnce)
{
    ModalWatcher watcher;
    bool after = false;
    setErrorSink([](const std::exception& e) { showException(e); });
    runGuarded([&] {
        throw EConvertError("'x' is not a valid integer value");
        after = true;
    });
    setErrorSink({});
    EXPECT_FALSE(after);
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].text, QStringLiteral("'x' is not a valid integer value."));
}

} // namespace
