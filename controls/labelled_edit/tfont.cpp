#include "controls/labelled_edit/tfont.h"

#include "controls/common/shipped_fonts.h"

TFont TFont::FromStoredFont(const QFont& stored)
{
    return TFont(atStoredResolution(stored), clWindowText);
}

void TFont::RegisterStoredFontConversion()
{
    static const bool registered =
        QMetaType::registerConverter<QFont, TFont>(&TFont::FromStoredFont);
    (void)registered;
}
