#include "controls/input/plain_accelerator.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>

void installPlainAccelerator(QAbstractButton* button)
{
    const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
    if (mnemonic.isEmpty())
        return;
    const Qt::Key letter = mnemonic[0].key();
    for (const QKeyCombination combination :
         {QKeyCombination(letter), QKeyCombination(Qt::ShiftModifier, letter)}) {
        auto* shortcut = new QShortcut(QKeySequence(combination), button);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, button, [b = QPointer(button)] {
            if (b && b->isEnabled() && b->isVisible())
                b->animateClick();
        });
    }
}
