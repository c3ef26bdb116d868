#include "controls/file_dialog/file_dialog.h"

#include "controls/input/popups.h"
#include "controls/input/single_line_input.h"

#include <QLineEdit>

TFileDialog::TFileDialog(QWidget* parent) : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog);
    // Any name may be typed, and the filters' descriptions are shown as written: the patterns
    // they carry are the tool's own.
    setFileMode(QFileDialog::AnyFile);
    setOption(QFileDialog::HideNameFilterDetails);
    if (QLineEdit* name = nameField())
        new SingleLineInput(name);
}

QLineEdit* TFileDialog::nameField() const
{
    return findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

void TFileDialog::setFilter(const QString& filter)
{
    const QStringList filters = dialogNameFilters(filter);
    setNameFilters(filters.isEmpty() ? QStringList{QStringLiteral("(*)")} : filters);
}

void TFileDialog::done(int result)
{
    // A pop-up open now is the dialog's own: while it runs, nothing else takes input.
    closeActivePopups();
    QFileDialog::done(result);
}

QStringList dialogNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            // "*.*" takes every name, as the dialog's users expect, not only dotted ones.
            patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (patterns.isEmpty())
            continue;
        out << parts[i] + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}
