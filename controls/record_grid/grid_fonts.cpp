#include "controls/record_grid/grid_fonts_p.h"

#include "controls/common/shipped_fonts.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int kStoredPixelHeight = 11;
} // namespace

QFont storedGridFont(bool bold)
{
    registerShippedFonts();
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kStoredPixelHeight);
    font.setBold(bold);
    return font;
}

QFont zoomedFont(const QFont& configured, int zoomPoints)
{
    if (zoomPoints == 0)
        return configured;
    // The configured size in whole points, as the stored height gives it (11 pixels: 8 points).
    const double points = configured.pixelSize() > 0
                              ? std::round(pointsOfPixels(configured.pixelSize()))
                              : std::round(configured.pointSizeF());
    QFont font = configured;
    font.setPixelSize(std::max(1, pixelsOfPoints(points + zoomPoints)));
    return font;
}
