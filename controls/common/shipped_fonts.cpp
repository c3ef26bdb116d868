#include "shipped_fonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <cmath>

namespace
{

const char* const kShippedFontFolder = "/usr/share/wine/fonts/";
constexpr double kStoredDotsPerInch = 96.0;

bool registerShippedFont(const char* fileName)
{
    const QString path = QString::fromLatin1(kShippedFontFolder) + QLatin1String(fileName);
    return QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0;
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
