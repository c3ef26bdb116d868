#include "controls/common/shipped_fonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <cmath>

namespace
{

constexpr double kStoredDotsPerInch = 96.0;

// Whether fonts-wine's MS Sans Serif, drawn at the layout's sizes, is registered.
bool shippedMsSansSerif = false;

// Debian's fonts-wine keeps the faces in a folder of its own; Windows has them in its Fonts
// folder, which the offscreen platform does not read by itself.
QStringList fontFolders()
{
    return QStringList{QStringLiteral("/usr/share/wine/fonts")} +
           QStandardPaths::standardLocations(QStandardPaths::FontsLocation);
}

bool registerShippedFont(const char* fileName)
{
    for (const QString& folder : fontFolders()) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(fileName);
        if (QFile::exists(path))
            return QFontDatabase::addApplicationFont(path) >= 0;
    }
    return false;
}

} // namespace

void registerShippedFonts()
{
    static const bool registered = [] {
        shippedMsSansSerif = registerShippedFont("ms_sans_serif.ttf");
        registerShippedFont("tahoma.ttf");
        registerShippedFont("tahomabd.ttf");
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)registered;
}

int pixelsOfPoints(double points)
{
    return static_cast<int>(std::lround(points * kStoredDotsPerInch / 72.0));
}

double pointsOfPixels(int pixels)
{
    return pixels * 72.0 / kStoredDotsPerInch;
}

namespace
{

// Bitmap faces hold only the sizes they were drawn at: asked for another, they give the nearest
// one, taller or smaller than the layout's room.
bool isBitmapFace(const QString& family)
{
    return QFontDatabase::hasFamily(family) && !QFontDatabase::isSmoothlyScalable(family);
}

// MS Sans Serif's scalable twin, Microsoft Sans Serif, is drawn to the same metrics and is on
// every Windows; Tahoma (fonts-wine's too) where even that is missing. Empty when neither is.
QString scalableTwinOfMsSansSerif()
{
    for (const QString& twin : {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma")})
        if (QFontDatabase::hasFamily(twin) && QFontDatabase::isSmoothlyScalable(twin))
            return twin;
    return {};
}

bool isMsSansSerif(const QFont& font)
{
    return font.family().compare(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive) == 0;
}

} // namespace

QFont atStoredResolution(const QFont& font)
{
    QFont stored = font;
    if (font.pixelSize() <= 0 && font.pointSizeF() > 0)
        stored.setPixelSize(pixelsOfPoints(font.pointSizeF()));
    // Windows' own MS Sans Serif is a bitmap font whose sizes need not hold the one asked for,
    // unlike the face of fonts-wine registered above, drawn at the layout's sizes.
    if (!shippedMsSansSerif && isMsSansSerif(stored) && isBitmapFace(stored.family())) {
        const QString twin = scalableTwinOfMsSansSerif();
        if (!twin.isEmpty())
            stored.setFamily(twin);
    }
    return stored;
}

QFont atDevicePixelRatio(const QFont& font, qreal ratio)
{
    // MS Sans Serif is a bitmap face wherever it comes from (Windows' own, fonts-wine's), even
    // where a font database takes the latter's TrueType wrapping for outlines.
    if (ratio == 1.0 || !isMsSansSerif(font))
        return font;
    QFont scaled = font;
    const QString twin = scalableTwinOfMsSansSerif();
    if (!twin.isEmpty())
        scaled.setFamily(twin);
    return scaled;
}
