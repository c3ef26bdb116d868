#pragma once

#include "controls/record_grid/record_grid.h"

#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

#include <string>

// Lets queued work (repaints, the grid's refit) run.
void settle();

// Pixels inside the cell's text area that are not its background: the text's ink.
int inkIn(const QImage& image, const QRect& cell);

// The text area of a cell cut out of a shot.
QImage textAreaOf(const QImage& image, const QRect& cell);

// A record grid as the window holds it, shown and exposed, with helpers to look at it and to
// drive it the way an operator does.
class RecordGridView : public ::testing::Test
{
protected:
    void SetUp() override;

    // The grid's top-level window made the active one, so the grid can hold the focus.
    void activate();

    QImage shot() { return grid.viewport()->grab().toImage(); }
    QColor colourAt(GridCell cell) { return shot().pixelColor(grid.cellRect(cell).center()); }
    QColor role(QPalette::ColorRole r) const { return grid.palette().color(r); }
    void click(GridCell cell, Qt::KeyboardModifiers modifiers = {});
    // One wheel message of the given rotation (120 is a notch away from the operator).
    void wheel(int rotation, Qt::KeyboardModifiers modifiers = {}, QWidget* target = nullptr);
    void press(int key, Qt::KeyboardModifiers modifiers = {});
    GridCell current() const { return grid.store().currentCell(); }

    TRecordGrid grid;
};
