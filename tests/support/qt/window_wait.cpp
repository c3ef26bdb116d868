#include "window_wait.h"

#include <QApplication>
#include <QWidget>

void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    waitUntilActive(window);
}

void waitUntilActive(QWidget& window)
{
    while (!window.isActiveWindow()) {
        window.activateWindow();
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void settle()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}
