#include "controls/common/file_dialog.h"

#include "controls/common/popups.h"
#include "controls/common/single_line_input.h"

#include <QLineEdit>

TFileDialog::TFileDialog(QWidget* parent) : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog);
    // Any name may be typed, and the filters' descriptions are shown as written: the patterns
    // they carry are the tool's own.
    setFileMode(QFileDialog::AnyFile);
    setOption(QFileDialog::HideNameFilterDetails);
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        new SingleLineInput(name);
}

void TFileDialog::done(int result)
{
    // A pop-up open now is the dialog's own: while it runs, nothing else takes input.
    closeActivePopups();
    QFileDialog::done(result);
}
