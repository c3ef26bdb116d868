#include "shipped_fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QString>

namespace
{
const char* const kShippedFontFolder = "/usr/share/wine/fonts/";
}

bool registerShippedFont(const char* fileName)
{
    const QString path = QString::fromLatin1(kShippedFontFolder) + QLatin1String(fileName);
    return QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0;
}
