#pragma once

#include <QFileDialog>
#include <QStringList>

class QLineEdit;

// Qt's own file dialog, never the platform's: it behaves the same on every desktop and tests
// can answer it. Any name may be typed, and filter descriptions are shown as written. Its name
// field follows the single-line rules (controls/input/single_line_input.h), and it closes any
// pop-up it opened before it closes itself: its name completer's list stays open when Enter
// there both takes the name and confirms the dialog, and, left open behind the hidden dialog,
// it swallowed the window's next mouse press, took its next key and kept the window from
// becoming active again.
class TFileDialog : public QFileDialog
{
    Q_OBJECT
public:
    explicit TFileDialog(QWidget* parent = nullptr);

    // The field the file name is typed into, or null where the dialog has none.
    QLineEdit* nameField() const;

    // Shows the filters of a filter text (see dialogNameFilters), every name where it has none.
    void setFilter(const QString& filter);

    void done(int result) override;
};

// The dialog's name filters for a filter text written "description|patterns|description|
// patterns..." with patterns parted by ';': each description as it stands followed by its
// patterns, "*.*" taking every name, dotted or not. A description without patterns is left out.
QStringList dialogNameFilters(const QString& filter);
