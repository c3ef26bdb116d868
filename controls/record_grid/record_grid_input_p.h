#pragma once

#include "controls/record_grid/pan_cursors.h"
#include "controls/record_grid/record_grid.h"

#include <QCursor>
#include <QObject>
#include <QPoint>

#include <optional>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QTimer;
class QWheelEvent;

// The record grid's input: the view hands it its key, mouse, wheel, focus-out and hide events,
// and it moves the current cell, the selection, the scroll position and the zoom through the
// view's store and scroll bars. It owns what lasts between events: the drag, the wheel's
// gathered rotation, pan mode with its timer and the captured pointer.
//
// What the operator can do (nothing of it edits a cell):
// - keys: the table of record_grid_keyboard_p.h; Tab and Shift+Tab leave the grid; every other
//   key without Alt does nothing, silently;
// - left button: a click on a normal cell makes it current and the whole selection, dragging
//   selects from there to the cell under the pointer, Shift+click moves the anchor to the
//   clicked cell and leaves the current cell; a drag starts only once the pointer reaches
//   another cell than the pressed one; clicks on fixed cells do nothing;
// - wheel (over the cells or the scroll bars): the current row moves by the wheel scroll-line
//   count (read once, at construction; 3 where the platform has none) when EnableWheel is set,
//   or with Ctrl and WheelZoom set the zoom changes by that many points instead (within
//   -10..+10: column widths, row heights including that of rows added later, and both fonts);
//   then, for every 120 units of rotation gathered, one row more in the same direction. Rows
//   added after a zoom take the zoomed height (21 + zoom), not the plain 21, by choice: at the
//   plain height the zoomed text would not be drawn whole;
// - middle button (MiddlePan mpVertical): pan mode. The pointer is captured and shows the pan
//   cursor; every 10 ms the current row moves one row down or up while the pointer is more
//   than 5 pixels below or above where the button went down. The next button press or key
//   press ends it and does nothing else; so does losing the focus or being hidden.
class RecordGridInput final : public QObject
{
    Q_OBJECT

public:
    // A child of the grid; it also hears the wheel over the grid's scroll bars.
    explicit RecordGridInput(TRecordGrid& grid);

    void keyPress(QKeyEvent* event);
    // A double-click's second press comes here too: a press like the first.
    void mousePress(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);
    void wheel(QWheelEvent* event);
    // Losing the focus or being hidden ends pan mode.
    void focusLost() { endPan(); }
    void hidden() { endPan(); }

    int wheelScrollLines() const { return wheelLines_; }
    bool isPanning() const { return panTimer_ != nullptr; }
    void endPan();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void zoomBy(int points);
    // Moves the current cell one row, unless it is on the last row (down) or the first normal
    // row (up) already.
    void stepCurrentRow(int direction);
    // The normal cell nearest to a viewport point, for dragging past the cells' edges.
    GridCell nearestCell(QPoint viewportPoint);

    void startPan(QPoint viewportPoint);
    void panTick();

    TRecordGrid& grid_;
    RecordGridStore& store_;

    int wheelLines_ = 3;
    int wheelRotation_ = 0; // gathered towards the next full notch
    bool selecting_ = false;
    bool dragging_ = false;
    GridCell pressedCell_;

    QTimer* panTimer_ = nullptr;
    QPoint panOrigin_;
    QPoint panPointer_;
    PanDirection panShown_ = PanDirection::Rest;
    std::optional<QCursor> cursorBeforePan_;
    bool trackingBeforePan_ = false;
};
