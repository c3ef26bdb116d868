#include "file_dialog.h"

#include "single_line_input.h"

#include <QApplication>
#include <QLineEdit>

TFileDialog::TFileDialog(QWidget* parent) : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog);
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        new SingleLineInput(name);
}

void TFileDialog::done(int result)
{
    // A pop-up open now is the dialog's own: while it runs, nothing else takes input.
    for (int i = 0; i < 16; ++i) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            break;
        popup->close();
        if (QApplication::activePopupWidget() == popup)
            popup->hide();
    }
    QFileDialog::done(result);
}
