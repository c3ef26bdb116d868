#include "controls/labelled_edit/caption_placement.h"

namespace CaptionPlacement
{

QPoint captionLabelOrigin(TEditLabelAlign align, const QRect& edit, const QSize& label,
                          const QPoint& offset)
{
    constexpr int kSideGap = 3;
    // C++ division truncates toward zero, as the centring wants for a label taller than the edit.
    const int besideTop = edit.top() - 1 + (edit.height() - label.height()) / 2;
    const int above = edit.top() - label.height();
    const int below = edit.top() + edit.height();
    const int rightAligned = edit.left() + edit.width() - label.width();
    switch (align) {
    case elTopLeft:
        return {edit.left(), above};
    case elTopRight:
        return {rightAligned, above};
    case elBottomLeft:
        return {edit.left(), below};
    case elBottomRight:
        return {rightAligned, below};
    case elLeft:
        return {edit.left() - label.width() - kSideGap, besideTop};
    case elRight:
        return {edit.left() + edit.width() + kSideGap, besideTop};
    case elRelative:
        break;
    }
    return edit.topLeft() + offset;
}

} // namespace CaptionPlacement
