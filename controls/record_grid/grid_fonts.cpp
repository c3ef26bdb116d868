#include "grid_fonts.h"

#include "shipped_fonts.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kDotsPerInch = 96.0;
constexpr int kStoredPixelHeight = 11;

int pixelsOfPoints(double points)
{
    return static_cast<int>(std::lround(points * kDotsPerInch / 72.0));
}
} // namespace

void registerGridFonts()
{
    static const bool registered = [] {
        registerShippedFont("tahoma.ttf");
        registerShippedFont("tahomabd.ttf");
        return true;
    }();
    (void)registered;
}

QFont storedGridFont(bool bold)
{
    registerGridFonts();
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
                              ? std::round(configured.pixelSize() * 72.0 / kDotsPerInch)
                              : std::round(configured.pointSizeF());
    QFont font = configured;
    font.setPixelSize(std::max(1, pixelsOfPoints(points + zoomPoints)));
    return font;
}
