#include "controls/input/popups.h"

#include <QApplication>
#include <QWidget>

void closeActivePopups()
{
    // Closing one pop-up can open none, but one that refuses to close must not hang us.
    for (int i = 0; i < 16; ++i) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            break;
        popup->close();
        if (QApplication::activePopupWidget() == popup)
            popup->hide();
    }
}
