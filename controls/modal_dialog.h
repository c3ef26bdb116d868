#pragma once

class QDialog;

// Runs a dialog modally and returns its result, as QDialog::exec() does, and leaves no pop-up
// of the dialog open behind it. A file dialog's name completer stays open when Enter in its
// list both takes the name and confirms the dialog; left so, it would swallow the window's next
// mouse press and take its next key.
int execModal(QDialog& dialog);
