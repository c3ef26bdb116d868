#include "tests/controls/record_grid/grid_fixture.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

int inkIn(const QImage& image, const QRect& cell)
{
    const QRect area = RecordGridPainter::textRect(cell) & image.rect();
    const QRgb background = image.pixel(cell.topLeft());
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += image.pixel(x, y) != background;
    return ink;
}

QImage textAreaOf(const QImage& image, const QRect& cell)
{
    return image.copy(RecordGridPainter::textRect(cell));
}

void RecordGridView::SetUp()
{
    grid.resize(649, 188);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    settle();
}

void RecordGridView::activate()
{
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
    settle();
    ASSERT_TRUE(grid.hasFocus());
}

void RecordGridView::click(GridCell cell, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, grid.cellRect(cell).center());
}

void RecordGridView::wheel(int rotation, Qt::KeyboardModifiers modifiers, QWidget* target)
{
    QWidget* to = target ? target : grid.viewport();
    const QPointF at(to->width() / 2.0, to->height() / 2.0);
    QWheelEvent event(at, to->mapToGlobal(at), QPoint(), QPoint(0, rotation), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(to, &event);
}

void RecordGridView::press(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(&grid, static_cast<Qt::Key>(key), modifiers);
}
