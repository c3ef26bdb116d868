#pragma once

#include "app/Unit_main.h"
#include "tests/app/modal_watcher.h"
#include "tests/support/scratch_dir.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class TRecordGrid;

// The real window, shown and active, with the error display in force for the controls too.
class MainWindow : public ::testing::Test
{
public:
    template <typename T = QWidget> T* control(const char* name) const
    {
        auto* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    TRecordGrid* grid() const;

    // The control of the window that holds the keyboard focus (itself or an inner part).
    QString focusedControl() const;

    // As an operator does it: click into the field, replace its text by typing.
    void typeInto(const char* field, const QString& text);
    void typeStockName(const std::string& path);
    void pick(const char* radioItem);
    void click(const char* button);

    // The message boxes with the stop icon among those that opened.
    static std::vector<ModalWatcher::Box> errorBoxes(const ModalWatcher& watcher);

    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<TForm1> form;
    ScratchDir scratch;
};
