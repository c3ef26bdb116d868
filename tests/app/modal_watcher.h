#pragma once

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

class QFileDialog;

// Answers the modal dialogs that open while a test drives the window, as an operator would:
// every message box is recorded and then closed by a click on its accepting button (OK, Yes);
// a file dialog is handed to onFileDialog, or cancelled when none is set.
class ModalWatcher
{
public:
    struct Box {
        QString title;
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
        Qt::WindowModality modality = Qt::NonModal;
        QRect geometry;
        bool busyCursor = false; // an override cursor was in force while it showed
    };

    ModalWatcher();
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    std::function<void(QFileDialog*)> onFileDialog;
    std::vector<Box> boxes;
    int fileDialogs = 0;

private:
    void look();
    void answer(QWidget* dialog, std::function<void()> action);

    QTimer timer_;
    QList<QPointer<QWidget>> handled_;
};

// Puts a name into a non-native file dialog's name field and presses Enter there.
void typeFileName(QFileDialog* dialog, const QString& name);
