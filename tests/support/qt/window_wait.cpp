#include "tests/support/qt/window_wait.h"

#include "tests/support/qt/wait_bound.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    waitUntilActive(window);
}

void waitUntilActive(QWidget& window)
{
    const bool active = QTest::qWaitFor(
        [&window] {
            window.activateWindow();
            return window.isActiveWindow();
        },
        kWaitBound);
    EXPECT_TRUE(active) << window.objectName().toStdString() << " never became active";
}

void settle()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}
