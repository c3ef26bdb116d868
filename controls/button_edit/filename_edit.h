#pragma once

#include "controls/button_edit/path_edit.h"
#include "controls/file_dialog/file_dialog.h"

enum TFileDialogKind {
    dkOpen, // names a file to read; a name that does not exist yet may be confirmed too
    dkSave, // names a file to write
};

// Options of the field's dialog.
enum TFileDialogOption {
    ofHideReadOnly = 0x1, // the dialog shows no read-only check box (it never has one here)
    ofNoChangeDir = 0x2,  // a confirmed choice leaves the process's current directory alone
};

// The file-name field: a path edit whose button opens a file dialog it makes on first use and
// owns from then on, and whose FileName tolerates quotes and trailing words in the text. To
// assistive technology the button is "Wybierz plik".
//
// The dialog (object name "FileDialog") is Qt's own, not the platform's, titled DialogTitle.
// Filter is written "description|patterns|description|patterns..." with patterns parted by
// ';'; the dialog shows each description as it stands, and "*.*" matches every name, dotted
// or not. Between uses the dialog keeps its file name, its folder and its filter position.
class TFilenameEdit : public TPathEdit
{
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(QString DialogTitle READ DialogTitle WRITE SetDialogTitle)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(int FilterIndex READ FilterIndex WRITE SetFilterIndex)
    Q_PROPERTY(QString DefaultExt READ DefaultExt WRITE SetDefaultExt)
    Q_PROPERTY(QString InitialDir READ InitialDir WRITE SetInitialDir)
    Q_PROPERTY(int DialogOptions READ DialogOptions WRITE SetDialogOptions)

public:
    explicit TFilenameEdit(QWidget* parent = nullptr);

    // The file the text designates: the text unchanged when it names an existing file (by the
    // find-first lookup, wildcards included; a directory never counts), else the text's first
    // command-line token without its quotes, or empty. See file_name_rules.h.
    QString FileName() const;
    // An empty value empties the text. Otherwise the file-name part of the name the value
    // designates must be valid, else EButtonEditError "Invalid file name - <value>" and nothing
    // changes; the text becomes the value, quoted when it holds a space, and the dialog's
    // selection is cleared (its preset name stays).
    void SetFileName(const QString& value);

    TFileDialogKind DialogKind() const { return dialogKind_; }
    void SetDialogKind(TFileDialogKind kind) { dialogKind_ = kind; }
    // "Browse" by default.
    QString DialogTitle() const { return dialogTitle_; }
    void SetDialogTitle(const QString& title) { dialogTitle_ = title; }
    // "All files (*.*)|*.*" by default.
    QString Filter() const { return filter_; }
    void SetFilter(const QString& filter) { filter_ = filter; }
    // 1-based position of the filter in force; 1 by default.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int index) { filterIndex_ = index; }
    // Added to a name confirmed without an extension; empty by default.
    QString DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const QString& ext) { defaultExt_ = ext; }
    // The folder the dialog opens in; empty (the current directory) at first, then the folder
    // of each confirmed choice, ending in '/'.
    QString InitialDir() const { return initialDir_; }
    void SetInitialDir(const QString& dir) { initialDir_ = dir; }
    // TFileDialogOption flags; ofHideReadOnly by default.
    int DialogOptions() const { return dialogOptions_; }
    void SetDialogOptions(int options) { dialogOptions_ = options; }

    // The name the dialog is preset with on its next use, and after a confirmed use the name
    // chosen (absolute).
    QString dialogFileName() const { return dialogFileName_; }

    // The dialog, made when first asked for (or at the first browse).
    TFileDialog* Dialog();

protected:
    // The browse operation: OnButtonClick; the dialog preset from FileName (file name and
    // folder, when the name is valid; otherwise as left by its last use); OnBeforeDialog; the
    // dialog run modally; the focus back to the field, confirmed or not; OnAfterDialog; on a
    // confirmed choice the text becomes the chosen name (quoted when it holds a space), the
    // dialog's folder and, unless ofNoChangeDir, the process's current directory become the
    // chosen file's folder.
    void ButtonClick() override;
    // A dropped file becomes FileName.
    void acceptDroppedFile(const QString& name) override;

private:
    void presetDialog(const QString& workingName);
    bool runDialog(QString& chosen);

    TFileDialog* dialog_ = nullptr;
    TFileDialogKind dialogKind_ = dkOpen;
    QString dialogTitle_;
    QString filter_;
    int filterIndex_ = 1;
    QString defaultExt_;
    QString initialDir_;
    QString dialogFileName_;
    int dialogOptions_ = ofHideReadOnly;
};
