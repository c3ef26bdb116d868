#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QTranslator* installQtTranslations(const QLocale& locale)
{
    auto* app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    auto* translator = new QTranslator(app);
    // The program's own copy first (the Windows build carries it), then Qt's folder.
    const auto load = [&](const QString& folder) {
        return translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder);
    };
    if (!(load(QStringLiteral(":/i18n")) ||
          load(QLibraryInfo::path(QLibraryInfo::TranslationsPath))) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}
