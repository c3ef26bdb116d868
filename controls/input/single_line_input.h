#pragma once

#include <QClipboard>
#include <QObject>

#include <functional>

class QContextMenuEvent;
class QDropEvent;
class QLineEdit;

// Gives a line edit the rules of the tool's single-line fields for text that comes from the
// operator:
// - what is pasted (Ctrl+V, Shift+Insert and the other paste keys, the context menu's Paste,
//   the middle button's selection where the platform has one), dropped, or committed by an
//   input method is cut at its first line break (CR or LF) before the edit, or the paste rule
//   it was given, sees it. So a path copied from a terminal with its line break names the file
//   it shows, not a file named after its first word;
// - a key with Alt (without Ctrl, which with Alt is AltGr on some platforms) types nothing: it
//   goes on to the window unhandled, as a key the edit does not know.
// Text written by code is not touched.
//
// It lives as a child of the edit and watches the edit's events, ahead of the edit's own
// handlers: one per edit, made in the edit's constructor.
class SingleLineInput : public QObject
{
    Q_OBJECT
public:
    // What the edit does with a paste, given the text already cut and never empty; called only
    // while the edit is writable. The default inserts it at the caret, over the selection.
    using PasteRule = std::function<void(const QString& line)>;

    explicit SingleLineInput(QLineEdit* edit, PasteRule rule = {});

    // The text up to its first CR or LF.
    static QString firstLine(const QString& text);

    // A paste from the given clipboard, as the paste keys and the context menu do it: nothing
    // while the edit is read-only or when the clipboard's first line is empty.
    void paste(QClipboard::Mode mode = QClipboard::Clipboard);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showContextMenu(const QContextMenuEvent& event);
    bool dropFirstLine(QDropEvent& event);

    QLineEdit* edit_;
    PasteRule rule_;
    bool forwarding_ = false;
};
