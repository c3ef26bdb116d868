#include "controls/input/single_line_input.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace
{

// Alt with a character is a command to the window, never a typed character.
bool isAltCharacter(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers();
    return mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier) &&
           !key.text().isEmpty() && key.text().front().isPrint();
}

bool isPasteAction(const QAction* action)
{
    return action->objectName() == QLatin1String("edit-paste") ||
           (!action->isSeparator() && action->text().startsWith(QLineEdit::tr("&Paste")));
}

} // namespace

SingleLineInput::SingleLineInput(QLineEdit* edit, PasteRule rule)
    : QObject(edit), edit_(edit), rule_(std::move(rule))
{
    edit->installEventFilter(this);
}

QString SingleLineInput::firstLine(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\r' || text[i] == u'\n')
            return text.left(i);
    return text;
}

void SingleLineInput::paste(QClipboard::Mode mode)
{
    if (edit_->isReadOnly())
        return;
    const QString line = firstLine(QGuiApplication::clipboard()->text(mode));
    if (line.isEmpty())
        return;
    if (rule_)
        rule_(line);
    else
        edit_->insert(line);
}

bool SingleLineInput::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edit_ || forwarding_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (key.matches(QKeySequence::Paste)) {
            event->accept();
            paste();
            return true;
        }
        if (isAltCharacter(key)) {
            event->ignore();
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection()) {
            event->accept();
            if (!edit_->isReadOnly()) {
                edit_->deselect();
                paste(QClipboard::Selection);
            }
            return true;
        }
        return false;
    case QEvent::ContextMenu:
        if (edit_->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        event->accept();
        showContextMenu(*static_cast<QContextMenuEvent*>(event));
        return true;
    case QEvent::Drop:
        return dropFirstLine(*static_cast<QDropEvent*>(event));
    case QEvent::InputMethod: {
        auto* input = static_cast<QInputMethodEvent*>(event);
        const QString line = firstLine(input->commitString());
        if (line.size() != input->commitString().size())
            input->setCommitString(line, input->replacementStart(), input->replacementLength());
        return false;
    }
    default:
        return false;
    }
}

void SingleLineInput::showContextMenu(const QContextMenuEvent& event)
{
    QMenu* menu = edit_->createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        if (!isPasteAction(action))
            continue;
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, [this] { paste(); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event.globalPos());
}

bool SingleLineInput::dropFirstLine(QDropEvent& event)
{
    const QMimeData* data = event.mimeData();
    if (!data || !data->hasText())
        return false;
    const QString text = data->text();
    const QString line = firstLine(text);
    if (line.size() == text.size())
        return false;

    // The edit takes the dropped text from the plain-text formats; everything else goes along.
    QMimeData cut;
    for (const QString& format : data->formats())
        if (!format.startsWith(QLatin1String("text/plain")))
            cut.setData(format, data->data(format));
    cut.setText(line);
    QDropEvent firstLineOnly(event.position(), event.possibleActions(), &cut, event.buttons(),
                             event.modifiers(), event.type());
    firstLineOnly.setDropAction(event.dropAction());
    forwarding_ = true;
    QCoreApplication::sendEvent(edit_, &firstLineOnly);
    forwarding_ = false;
    event.setDropAction(firstLineOnly.dropAction());
    event.setAccepted(firstLineOnly.isAccepted());
    return true;
}
