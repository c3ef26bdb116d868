#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Headless by default, so tests run the same from ctest, by hand and in CI.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    // Like the tool, the tests give Qt no options: the platform comes from the environment.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    return RUN_ALL_TESTS();
}
