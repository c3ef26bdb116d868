#include "controls/common/shipped_fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace
{

// Registers a face of fonts-wine (or, on Windows, of the system's Fonts folder).
bool addFace(const char* fileName)
{
    const QStringList folders = QStringList{QStringLiteral("/usr/share/wine/fonts")} +
                                QStandardPaths::standardLocations(QStandardPaths::FontsLocation);
    for (const QString& folder : folders)
        if (const QString path = folder + QLatin1Char('/') + QLatin1String(fileName);
            QFile::exists(path))
            return QFontDatabase::addApplicationFont(path) >= 0;
    return false;
}

// In a process of its own, so that no face of fonts-wine is registered: Windows' bitmap
// MS Sans Serif (sserife.fon) and Tahoma. Exits 0 when the window's "MS Sans Serif" 8 points
// is drawn with a scalable face at 11 pixels.
[[noreturn]] void storedFontOverABitmapMsSansSerif()
{
    addFace("sserife.fon");
    addFace("tahoma.ttf");
    QFont window(QStringLiteral("MS Sans Serif"));
    window.setPointSize(8);
    const QFont stored = atStoredResolution(window);
    std::fprintf(stderr, "drawn with %s\n", qPrintable(stored.family()));
    std::_Exit(stored.family() != window.family() &&
                       QFontDatabase::isSmoothlyScalable(stored.family()) &&
                       stored.pixelSize() == 11
                   ? 0
                   : 1);
}

TEST(StoredFont, TheSystemsBitmapMsSansSerifGivesWayToAScalableTwin)
{
    if (!addFace("sserife.fon") || !addFace("tahoma.ttf"))
        GTEST_SKIP() << "no bitmap MS Sans Serif and Tahoma here (fonts-wine)";
    if (QFontDatabase::isSmoothlyScalable(QStringLiteral("MS Sans Serif")))
        GTEST_SKIP() << "this font database takes the bitmap face for a scalable one (FreeType "
                        "under the offscreen platform on Windows)";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(storedFontOverABitmapMsSansSerif(), ::testing::ExitedWithCode(0), "drawn with");
}

} // namespace
