#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace CaptionPlacement
{
Q_NAMESPACE

// Where a labelled edit's caption label sits against the edit.
enum TEditLabelAlign : quint8 {
    elTopLeft,     // above, left edges aligned
    elTopRight,    // above, right edges aligned
    elBottomLeft,  // below, left edges aligned
    elBottomRight, // below, right edges aligned
    elLeft,        // left of the edit, vertically centred
    elRight,       // right of the edit, vertically centred
    elRelative,    // at a given offset from the edit's top-left corner
};
Q_ENUM_NS(TEditLabelAlign)

// The caption label's top-left corner for an edit with the bounds edit and a label of the size
// label, both in the coordinates of their parent. Above and below, the label touches the edit;
// beside it, it keeps 3 pixels from it and stands one pixel higher than true centring, the
// half of the height difference truncated toward zero (an edit 21 high: a label 13 high at
// edit.top() + 3, one 26 high at edit.top() - 3). elRelative puts it at edit.topLeft() +
// offset; the offset counts for no other position.
QPoint captionLabelOrigin(TEditLabelAlign align, const QRect& edit, const QSize& label,
                          const QPoint& offset);

} // namespace CaptionPlacement

using CaptionPlacement::TEditLabelAlign;
