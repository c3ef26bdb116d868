// Where the caption label goes, as plain arithmetic on the edit's and the label's bounds.
#include "controls/labelled_edit/caption_placement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace
{

using namespace CaptionPlacement;

struct PlacementCase {
    const char* name;
    TEditLabelAlign align;
    QRect edit;
    QSize label;
    QPoint offset;
    QPoint expected;
};

void PrintTo(const PlacementCase& c, std::ostream* os)
{
    *os << c.name;
}

// The count field's bounds: 121 x 21 at 344, 80.
const QRect kEdit(344, 80, 121, 21);

class CaptionLabelOriginTest : public ::testing::TestWithParam<PlacementCase>
{
};

TEST_P(CaptionLabelOriginTest, PutsTheLabelThere)
{
    const PlacementCase& c = GetParam();
    EXPECT_EQ(captionLabelOrigin(c.align, c.edit, c.label, c.offset), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EachPosition, CaptionLabelOriginTest,
    ::testing::Values(
        PlacementCase{"TopLeftTouchesTheTop", elTopLeft, kEdit, {50, 13}, {}, {344, 80 - 13}},
        PlacementCase{
            "TopRightAlignsRightEdges", elTopRight, kEdit, {50, 13}, {}, {344 + 121 - 50, 67}},
        PlacementCase{
            "BottomLeftTouchesTheBottom", elBottomLeft, kEdit, {50, 13}, {}, {344, 80 + 21}},
        PlacementCase{
            "BottomRightAlignsRightEdges", elBottomRight, kEdit, {50, 13}, {}, {415, 101}},
        // (21 - 13) div 2 = 4, one pixel higher: 3 below the edit's top.
        PlacementCase{
            "LeftOfTheEditWithA13PixelLabel", elLeft, kEdit, {50, 13}, {}, {344 - 50 - 3, 80 + 3}},
        // (21 - 26) div 2 = -2, truncated toward zero, one pixel higher: 3 above the top.
        PlacementCase{"LeftOfTheEditWithA26PixelLabel", elLeft, kEdit, {50, 26}, {}, {291, 80 - 3}},
        PlacementCase{
            "RightOfTheEditKeepsThreePixels", elRight, kEdit, {50, 13}, {}, {344 + 121 + 3, 83}},
        // (21 - 24) div 2 = -1, not -2.
        PlacementCase{
            "RightOfTheEditWithAnOddDifference", elRight, kEdit, {50, 24}, {}, {468, 80 - 1 - 1}},
        PlacementCase{"RelativeAtTheOffsets", elRelative, kEdit, {50, 13}, {-20, 30}, {324, 110}},
        PlacementCase{"OffsetsCountForRelativeOnly", elLeft, kEdit, {50, 13}, {-20, 30}, {291, 83}},
        PlacementCase{"AnEmptyLabelStillKeepsTheGap", elLeft, kEdit, {0, 0}, {}, {341, 89}}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return info.param.name; });

} // namespace
