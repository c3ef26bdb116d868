#pragma once

class QAbstractButton;

// Lets the accelerator letter of a button's caption (the character after "&") press the button
// without Alt, with or without Shift, while the keyboard focus is on a control of the button's
// window that takes no typed characters (a push button, a radio button, the grid). A text field
// claims the letter for itself and gets it typed as usual. Alt with the letter is the caption's
// own accelerator and works everywhere in the window.
void installPlainAccelerator(QAbstractButton* button);
