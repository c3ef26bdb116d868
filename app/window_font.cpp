#include "window_font.h"

#include "grid_fonts.h"
#include "shipped_fonts.h"

#include <QFont>
#include <QStringList>
#include <QWidget>

#include <cmath>

namespace
{
constexpr double kStoredDpi = 96.0;
} // namespace

void registerWindowFonts()
{
    static const bool registered = [] {
        registerShippedFont("ms_sans_serif.ttf");
        registerGridFonts();
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)registered;
}

void applyStoredFontHeight(QWidget* widget)
{
    QFont font = widget->font();
    if (font.pointSizeF() <= 0)
        return;
    // Windows rounds the height to whole pixels: 8 points at 96 dpi are 10.67, drawn as 11.
    font.setPixelSize(static_cast<int>(std::lround(font.pointSizeF() * kStoredDpi / 72.0)));
    widget->setFont(font);
}
