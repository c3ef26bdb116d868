#include "shipped_fonts.h"

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
        registerShippedFont("ms_sans_serif.ttf");
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

QFont atStoredResolution(const QFont& font)
{
    QFont stored = font;
    if (font.pixelSize() <= 0 && font.pointSizeF() > 0)
        stored.setPixelSize(pixelsOfPoints(font.pointSizeF()));
    return stored;
}
