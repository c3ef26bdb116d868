#include "controls/button_edit/filename_edit.h"

#include "controls/button_edit/file_name_rules_p.h"
#include "runtime/exceptions.h"
#include "runtime/path_kind.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QToolButton>

namespace
{

std::string utf8(const QString& s)
{
    return s.toStdString();
}

QString qstr(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

TFilenameEdit::TFilenameEdit(QWidget* parent)
    : TPathEdit(parent), dialogTitle_(QStringLiteral("Browse")),
      filter_(QStringLiteral("All files (*.*)|*.*"))
{
    Button()->setAccessibleName(QStringLiteral("Wybierz plik"));
}

TFileDialog* TFilenameEdit::Dialog()
{
    // Made on first use: a file dialog reads the file system and the icon themes as it is
    // made, which would otherwise hold up the window's start for a browse that may never come.
    if (!dialog_) {
        dialog_ = new TFileDialog(this);
        dialog_->setObjectName(QStringLiteral("FileDialog"));
    }
    return dialog_;
}

QString TFilenameEdit::FileName() const
{
    return qstr(designatedFileName(utf8(text())));
}

void TFilenameEdit::SetFileName(const QString& value)
{
    const std::string name = utf8(value);
    if (!name.empty() && !isValidFileName(namePart(designatedFileName(name))))
        throw EButtonEditError("Invalid file name - " + name);
    setText(qstr(quotedFileName(name)));
    if (dialog_)
        dialog_->selectFile(QString());
}

void TFilenameEdit::ButtonClick()
{
    TPathEdit::ButtonClick();
    QString workingName = FileName();
    bool action = true;
    emit OnBeforeDialog(workingName, action);
    if (!action)
        return;
    presetDialog(workingName);

    QString chosen;
    action = runDialog(chosen);
    if (action)
        workingName = chosen;

    if (isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus) {
        if (!window()->isActiveWindow())
            window()->activateWindow();
        setFocus(Qt::OtherFocusReason);
    }
    emit OnAfterDialog(workingName, action);
    if (!action)
        return;
    setText(qstr(quotedFileName(utf8(workingName))));
    initialDir_ = qstr(folderPart(utf8(chosen)));
}

void TFilenameEdit::acceptDroppedFile(const QString& name)
{
    SetFileName(name);
}

void TFilenameEdit::presetDialog(const QString& workingName)
{
    // A name the dialog cannot take leaves it as its last use left it.
    try {
        std::string name = utf8(workingName);
        if (!isValidFileName(name))
            return;
        const std::string folder = folderPart(name);
        if (isFolder(folder))
            initialDir_ = qstr(folder);
        if (!isValidFileName(namePart(name)))
            name.clear();
        dialogFileName_ = qstr(name);
    } catch (...) {
    }
}

bool TFilenameEdit::runDialog(QString& chosen)
{
    TFileDialog& d = *Dialog();
    d.setWindowTitle(dialogTitle_);
    d.setAcceptMode(dialogKind_ == dkSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setDefaultSuffix(defaultExt_);
    d.setFilter(filter_);
    const QStringList filters = dialogNameFilters(filter_);
    if (filterIndex_ >= 1 && filterIndex_ <= filters.size())
        d.selectNameFilter(filters[filterIndex_ - 1]);
    d.setDirectory(initialDir_.isEmpty() ? QDir::currentPath() : initialDir_);
    // A preset name with a folder stands for itself, wherever the dialog opens; the name field
    // is reached directly where the dialog offers no call for it (emptying it, or a name whose
    // folder does not exist, which the dialog would otherwise try to open).
    QLineEdit* nameField = d.nameField();
    const QFileInfo preset(dialogFileName_);
    const bool withFolder = !folderPart(utf8(dialogFileName_)).empty();
    if (dialogFileName_.isEmpty()) {
        if (nameField)
            nameField->clear();
    } else if (!withFolder) {
        d.selectFile(dialogFileName_);
    } else if (preset.absoluteDir().exists() || !nameField) {
        d.selectFile(preset.absoluteFilePath());
    } else {
        nameField->setText(dialogFileName_);
    }

    // What the dialog reports once it is closed no longer holds a name typed into it.
    QStringList picked;
    const auto connection = QObject::connect(
        &d, &QFileDialog::filesSelected, [&picked](const QStringList& files) { picked = files; });
    const int result = d.exec();
    QObject::disconnect(connection);
    if (result != QDialog::Accepted || picked.isEmpty())
        return false;
    chosen = picked.first();
    dialogFileName_ = chosen;
    const qsizetype index = filters.indexOf(d.selectedNameFilter());
    if (index >= 0)
        filterIndex_ = static_cast<int>(index) + 1;
    if (!(dialogOptions_ & ofNoChangeDir))
        QDir::setCurrent(QFileInfo(chosen).absolutePath());
    return true;
}
