#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace
{

struct Removed {
    QTranslator* translator;
    ~Removed()
    {
        if (translator)
            QCoreApplication::removeTranslator(translator);
        delete translator;
    }
};

TEST(QtTranslations, PolishDesktopGetsPolishStandardButtons)
{
    Removed installed{installQtTranslations(QLocale(QLocale::Polish, QLocale::Poland))};
    ASSERT_NE(installed.translator, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Anuluj"));
}

TEST(QtTranslations, LocaleWithoutCatalogueInstallsNothing)
{
    Removed installed{installQtTranslations(QLocale(QLocale::Greek, QLocale::Greece))};
    EXPECT_EQ(installed.translator, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

} // namespace
