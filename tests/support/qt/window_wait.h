#pragma once

class QWidget;

// Shows the window and processes events until it is the active window.
void showActive(QWidget& window);
// Processes events until the window is active again; fails the test when it never is.
void waitUntilActive(QWidget& window);
// Processes events until nothing more is pending, timers due now included.
void settle();
