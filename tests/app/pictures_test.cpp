#include "app/pictures.h"
#include "controls/common/glyph.h"

#include <QSet>
#include <gtest/gtest.h>

namespace
{

const QColor kOrange(255, 128, 0);

TEST(ExitGlyph, IsA24BitPictureOfAHoleOnOrange)
{
    const QImage picture = exitGlyphPicture();
    EXPECT_EQ(picture.size(), QSize(32, 33));
    EXPECT_EQ(picture.depth(), 24);
    EXPECT_EQ(picture.pixelColor(0, 32), kOrange);
    EXPECT_EQ(picture.pixelColor(16, 16), QColor(Qt::black));

    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y));
    EXPECT_TRUE(colours.contains(qRgb(128, 128, 128))) << "the torn edge has grey";
    EXPECT_TRUE(colours.contains(qRgb(255, 255, 255))) << "the torn edge has white";
}

TEST(ExitGlyph, TornEdgeIsJagged)
{
    // Along each row through the hole, where the orange ends differs from row to row more than
    // a circle's would on a ragged edge: count the distinct outer radii met on the four axes.
    const QImage picture = exitGlyphPicture();
    auto firstNonOrange = [&](int x0, int y0, int dx, int dy) {
        int steps = 0;
        for (int x = x0, y = y0; picture.valid(x, y); x += dx, y += dy, ++steps)
            if (picture.pixelColor(x, y) != kOrange)
                return steps;
        return -1;
    };
    QSet<int> radii{firstNonOrange(0, 16, 1, 0), firstNonOrange(31, 16, -1, 0),
                    firstNonOrange(16, 0, 0, 1), firstNonOrange(16, 32, 0, -1)};
    EXPECT_FALSE(radii.contains(-1));
    EXPECT_GE(radii.size(), 2);
}

TEST(ExitGlyph, OrangeBecomesTransparent)
{
    const QImage picture = exitGlyphPicture();
    const QImage painted =
        transparentGlyph(picture).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(painted.size(), picture.size());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool orange = picture.pixelColor(x, y) == kOrange;
            ASSERT_EQ(qAlpha(painted.pixel(x, y)) == 0, orange) << x << "," << y;
        }
    }
}

TEST(ProgramIcon, Is32By32In16Colours)
{
    const QImage picture = programIconPicture();
    EXPECT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
    EXPECT_LE(picture.colorCount(), 16);

    const QImage painted =
        programIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(painted.pixel(0, 31)), 0) << "background is see-through";
    EXPECT_EQ(qAlpha(painted.pixel(16, 20)), 255) << "the picture itself is opaque";
}

} // namespace
