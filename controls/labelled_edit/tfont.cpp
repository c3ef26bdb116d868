#include "tfont.h"

#include <cmath>

namespace
{
constexpr double kStoredDpi = 96.0;
}

TFont TFont::FromStoredFont(const QFont& stored)
{
    QFont font = stored;
    if (stored.pixelSize() <= 0 && stored.pointSizeF() > 0)
        font.setPixelSize(static_cast<int>(std::lround(stored.pointSizeF() * kStoredDpi / 72.0)));
    return TFont(font, clWindowText);
}

void TFont::RegisterStoredFontConversion()
{
    static const bool registered =
        QMetaType::registerConverter<QFont, TFont>(&TFont::FromStoredFont);
    (void)registered;
}
