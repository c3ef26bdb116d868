#include "tests/app/modal_watcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

ModalWatcher::ModalWatcher()
{
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
    timer_.start();
}

ModalWatcher::~ModalWatcher()
{
    timer_.stop();
}

void ModalWatcher::look()
{
    // A dialog counts as answered while it stays open; a nested one opened from it is new.
    handled_.removeIf([](const QPointer<QWidget>& w) { return !w || !w->isVisible(); });
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || handled_.contains(modal))
        return;
    handled_.append(modal);

    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        Box seen;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.format = box->textFormat();
        seen.icon = box->icon();
        seen.modality = box->windowModality();
        seen.geometry = box->geometry();
        seen.busyCursor = QApplication::overrideCursor() != nullptr;
        QAbstractButton* accept = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            seen.buttons << b->text();
            const auto role = box->buttonRole(b);
            if (!accept && (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole))
                accept = b;
        }
        boxes.push_back(seen);
        answer(box, [box, accept = QPointer(accept)] {
            if (accept)
                QTest::mouseClick(accept, Qt::LeftButton);
            else
                box->reject();
        });
        return;
    }
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        ++fileDialogs;
        answer(dialog, [this, dialog] {
            if (onFileDialog)
                onFileDialog(dialog);
            else
                dialog->reject();
        });
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        answer(dialog, [dialog] { dialog->reject(); });
}

void ModalWatcher::answer(QWidget* dialog, std::function<void()> action)
{
    // Outside the timer's own call, so a dialog the answer opens gets its answer too.
    QTimer::singleShot(0, dialog, std::move(action));
}

void typeFileName(QFileDialog* dialog, const QString& name)
{
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(field, nullptr);
    // Set rather than typed: typing opens the name completer's pop-up, which takes the Enter.
    field->setFocus();
    field->setText(name);
    QTest::keyClick(field, Qt::Key_Return);
}
