#pragma once

#include <QFileDialog>

// Qt's own file dialog, never the platform's: it behaves the same on every desktop and tests
// can answer it. Any name may be typed, and filter descriptions are shown as written. Its name
// field follows the single-line rules (single_line_input.h), and it closes any pop-up it opened
// before it closes itself: its name completer's list stays open when Enter there both takes the
// name and confirms the dialog, and, left open behind the hidden dialog, it swallowed the window's
// next mouse press, took its next key and kept the window from becoming active again.
class TFileDialog : public QFileDialog
{
    Q_OBJECT
public:
    explicit TFileDialog(QWidget* parent = nullptr);

    void done(int result) override;
};
