// The application object itself: this program runs under a TApplication of its own, so the
// title, the error net and the end of the program are those of the real start-up.
#include "app/Unit_main.h"
#include "app/application.h"
#include "controls/common/error_sink.h"
#include "runtime/exceptions.h"
#include "tests/app/modal_watcher.h"
#include "tests/support/qt/qt_printers.h"
#include "tests/support/qt/wait_bound.h"
#include "tests/support/qt/window_wait.h"
#include "tests/support/scratch_dir.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QFileDialog>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace
{

TApplication& app()
{
    return *static_cast<TApplication*>(QCoreApplication::instance());
}

TEST(Application, TitleComesFromThisExecutablesName)
{
    EXPECT_EQ(app().title(), QStringLiteral("app_life_tests"));
    EXPECT_EQ(applicationTitle(), app().title());
}

TEST(Application, QtNamesTheApplicationAfterItsTitle)
{
    EXPECT_EQ(QCoreApplication::applicationName(), app().title());
}

TEST(Application, QtsOwnOptionsChangeNothing)
{
    // main() gave the application "-reverse -style windows" after the test's own arguments.
    EXPECT_EQ(QCoreApplication::arguments(), QStringList{app().title()});
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    EXPECT_NE(QApplication::style()->name(), QStringLiteral("windows"));
}

TEST(Application, GivesTheProgramItsIcon)
{
    EXPECT_FALSE(QApplication::windowIcon().isNull());
}

TEST(Application, ErrorRaisedInsideAControlReachesTheDisplay)
{
    ModalWatcher watcher;
    reportError(EConvertError("'x' is not a valid floating point value"));
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].text, QStringLiteral("'x' is not a valid floating point value."));
    EXPECT_EQ(watcher.boxes[0].title, QStringLiteral("app_life_tests"));
}

// Throws out of its first event; the second ends the loop.
class Thrower : public QObject
{
public:
    explicit Thrower(QEventLoop& loop) : loop_(loop) {}
    int delivered = 0;

protected:
    void customEvent(QEvent*) override
    {
        if (++delivered == 1)
            throw EInOutError(io_code::kAccessDenied);
        loop_.quit();
    }

private:
    QEventLoop& loop_;
};

TEST(Application, ErrorEscapingAnEventIsShownOnceAndTheLoopGoesOn)
{
    QEventLoop loop;
    Thrower thrower(loop);
    ModalWatcher watcher;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QTimer bound;
    QObject::connect(&bound, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
    bound.start(kWaitBound);
    EXPECT_EQ(loop.exec(), 0) << "the loop did not go on to the second event";
    EXPECT_EQ(thrower.delivered, 2);
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].text, QStringLiteral("File access denied."));
}

// The user's configuration folder for this run: fresh and empty before the application starts.
const ScratchDir* configFolder = nullptr;

TEST(Application, WritesNothingIntoTheUsersConfigurationFolder)
{
    ScratchDir files;
    const std::string stock = files.file("mag.dat");
    writeFileBytes(stock, std::string(463, 'x'));
    const std::string output = files.file("kopia.rek");
    {
        TForm1 form;
        showActive(form);
        ModalWatcher watcher;
        std::vector<std::string> names{stock, output};
        watcher.onFileDialog = [&](QFileDialog* dialog) {
            typeFileName(dialog, QString::fromStdString(names.at(watcher.fileDialogs - 1)));
        };
        QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("EditButton")), Qt::LeftButton);
        QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("Button2")), Qt::LeftButton);
        ASSERT_EQ(watcher.fileDialogs, 2);
        EXPECT_EQ(readFileBytes(output), readFileBytes(stock)) << "both dialogs were confirmed";
    }
    EXPECT_TRUE(std::filesystem::is_empty(configFolder->path()))
        << "the dialogs are gone and have written their settings, if at all";
}

constexpr int kHung = 99;

struct Ending {
    const char* name;
    std::function<void(TForm1&)> act;
};
void PrintTo(const Ending& c, std::ostream* os)
{
    *os << c.name;
}

class ProgramEnd : public ::testing::TestWithParam<Ending>
{
};

TEST_P(ProgramEnd, EndsTheProgramWithExitCodeZeroAskingNothing)
{
    TForm1 form;
    showActive(form);
    ModalWatcher watcher;
    QTimer::singleShot(0, &form, [&form] { GetParam().act(form); });
    // Stopped before the test ends, so it never ends another test's loop.
    QTimer bound;
    QObject::connect(&bound, &QTimer::timeout, [] { QCoreApplication::exit(kHung); });
    bound.start(kWaitBound);
    EXPECT_EQ(QApplication::exec(), 0) << "the program did not end (" << kHung << ")";
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(watcher.boxes.empty());
    EXPECT_EQ(watcher.fileDialogs, 0);
}

QWidget* child(TForm1& form, const char* name)
{
    return form.findChild<QWidget*>(QString::fromLatin1(name));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ProgramEnd,
    ::testing::Values(
        Ending{"KoniecClicked",
               [](TForm1& f) { QTest::mouseClick(child(f, "btn_koniec"), Qt::LeftButton); }},
        Ending{"AltK", [](TForm1& f) { QTest::keyClick(&f, Qt::Key_K, Qt::AltModifier); }},
        Ending{"KOnCzytaj", [](TForm1& f) { QTest::keyClick(child(f, "Button1"), Qt::Key_K); }},
        // What the close box, Alt+F4 and the system menu's Close ask of the window.
        Ending{"CloseBox", [](TForm1& f) { f.windowHandle()->close(); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const ScratchDir config;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));
    configFolder = &config;
    ::testing::InitGoogleTest(&argc, argv);
    // Qt's own options, which must change nothing.
    std::vector<char*> arguments(argv, argv + argc);
    for (const char* option : {"-reverse", "-style", "windows"})
        arguments.push_back(const_cast<char*>(option));
    int count = static_cast<int>(arguments.size());
    TApplication application(count, arguments.data());
    return RUN_ALL_TESTS();
}
