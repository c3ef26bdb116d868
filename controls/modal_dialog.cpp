#include "modal_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

int execModal(QDialog& dialog)
{
    const QPointer<QWidget> openBefore = QApplication::activePopupWidget();
    const int result = dialog.exec();
    // A pop-up opened while the dialog ran belongs to it: nothing else could take input.
    for (int i = 0; i < 16; ++i) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup || popup == openBefore)
            break;
        popup->close();
        if (QApplication::activePopupWidget() == popup)
            popup->hide();
    }
    return result;
}
