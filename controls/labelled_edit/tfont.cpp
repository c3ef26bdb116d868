#include "controls/labelled_edit/tfont.h"

#include "controls/common/shipped_fonts.h"

TFont TFont::fromStoredFont(const QFont& stored)
{
    return TFont(atStoredResolution(stored), clWindowText);
}

void TFont::registerStoredFontConversion()
{
    static const bool registered =
        QMetaType::registerConverter<QFont, TFont>(&TFont::fromStoredFont);
    (void)registered;
}
