#pragma once

#include <QLocale>

class QTranslator;

// Installs Qt's own translations (qtbase_*.qm, from the program's resources where it carries
// them, else from Qt's translations folder) for the locale, so
// the toolkit's dialogs and message-box buttons speak the operator's language; the window's own
// captions are never translated. Returns the installed translator, owned by the application,
// or nullptr when Qt ships none for that locale.
QTranslator* installQtTranslations(const QLocale& locale);
