#include "app/pictures.h"
#include "packaging/icon_sizes.h"

#include <gtest/gtest.h>

namespace
{

// The window's icon as it paints: 32 × 32, the background see-through.
QImage windowIcon()
{
    return programIcon()
        .pixmap(QSize(32, 32), 1.0)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

class IconSize : public ::testing::TestWithParam<int>
{
};

TEST_P(IconSize, KeepsTheBackgroundSeeThroughAndThePictureOpaque)
{
    const int size = GetParam();
    const QImage icon = programIconAt(size);
    ASSERT_EQ(icon.size(), QSize(size, size));
    ASSERT_TRUE(icon.hasAlphaChannel());
    EXPECT_EQ(qAlpha(icon.pixel(0, size - 1)), 0) << "bottom-left corner";
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size * 5 / 8)), 255) << "inside the warehouse";
}

INSTANTIATE_TEST_SUITE_P(Theme, IconSize, ::testing::Values(16, 22, 24, 32, 48, 64, 128, 256),
                         [](const auto& info) { return "px" + std::to_string(info.param); });

// At whole multiples the menu's icon is the window's, pixel for pixel.
class WholeMultipleIconSize : public IconSize
{
};

TEST_P(WholeMultipleIconSize, RepeatsEveryPixelOfTheWindowsIcon)
{
    const int size = GetParam();
    const QImage icon = programIconAt(size);
    const QImage source = windowIcon();
    const int factor = size / 32;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            ASSERT_EQ(icon.pixel(x, y), source.pixel(x / factor, y / factor))
                << size << ": " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Theme, WholeMultipleIconSize, ::testing::Values(32, 64, 128, 256),
                         [](const auto& info) { return "px" + std::to_string(info.param); });

} // namespace
