#pragma once

#include <QCursor>

// Which way pan mode is moving the current row.
enum class PanDirection { Rest, Up, Down };

// The pointer shown in pan mode: a ring with a dot and arrows up and down at rest, the dot with
// only the arrow of the direction while moving. Black with a white outline, 32 x 32 pixels,
// the hot spot in the middle.
QCursor panCursor(PanDirection direction);
