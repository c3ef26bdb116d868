#include "tests/app/main_window_fixture.h"

#include "app/application.h"
#include "controls/common/error_sink.h"
#include "controls/record_grid/record_grid.h"
#include "tests/support/qt/window_wait.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

void MainWindow::SetUp()
{
    setErrorSink([](const std::exception& e) { showException(e); });
    form = std::make_unique<TForm1>();
    showActive(*form);
}

void MainWindow::TearDown()
{
    form.reset();
    setErrorSink({});
}

TRecordGrid* MainWindow::grid() const
{
    return control<TRecordGrid>("RecordGrid1");
}

QString MainWindow::focusedControl() const
{
    static const QStringList names = {"Button1",          "Button2",     "FilenameEdit1",
                                      "ed_ile",           "RecordGrid1", "RadioGroup1Item0",
                                      "RadioGroup1Item1", "btn_koniec"};
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (names.contains(w->objectName()))
            return w->objectName();
    return QStringLiteral("(none)");
}

void MainWindow::typeInto(const char* field, const QString& text)
{
    auto* edit = control<QLineEdit>(field);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(5, edit->height() / 2));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void MainWindow::typeStockName(const std::string& path)
{
    typeInto("FilenameEdit1", QString::fromStdString(path));
}

void MainWindow::pick(const char* radioItem)
{
    auto* item = control<QAbstractButton>(radioItem);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
}

void MainWindow::click(const char* button)
{
    QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton);
}

std::vector<ModalWatcher::Box> MainWindow::errorBoxes(const ModalWatcher& watcher)
{
    std::vector<ModalWatcher::Box> out;
    for (const auto& box : watcher.boxes)
        if (box.icon == QMessageBox::Critical)
            out.push_back(box);
    return out;
}
