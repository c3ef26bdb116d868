#include "tests/controls/number_edit/calc_edit_support.h"

#include <QApplication>
#include <gtest/gtest.h>

CalcWindow::CalcWindow()
{
    top.resize(400, 120);
    field = new CountingCalcEdit(&top);
    field->setGeometry(10, 10, 121, 21);
    button = new QPushButton(QStringLiteral("Czytaj"), &top);
    button->setObjectName(QStringLiteral("Button1"));
    button->setGeometry(150, 8, 75, 25);
    other = new QLineEdit(&top);
    other->setObjectName(QStringLiteral("other"));
    other->setGeometry(10, 60, 100, 21);
    other->setFocus(); // the field is entered by the tests, not by the window's activation
    top.show();
    top.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&top));
}

QPoint CalcWindow::buttonCentre() const
{
    return button->rect().center();
}

QLocale polishLocale()
{
    return QLocale(QLocale::Polish, QLocale::Poland);
}

QString localised(const char* text)
{
    QString s = QString::fromUtf8(text);
    s.replace(QStringLiteral("{d}"), QLocale().decimalPoint());
    s.replace(QStringLiteral("{g}"), QLocale().groupSeparator());
    return s;
}

void typeKeys(QWidget* widget, const QString& keys)
{
    static const std::pair<const char*, Qt::Key> named[] = {
        {"<home>", Qt::Key_Home},    {"<end>", Qt::Key_End},    {"<left>", Qt::Key_Left},
        {"<bs>", Qt::Key_Backspace}, {"<del>", Qt::Key_Delete}, {"<esc>", Qt::Key_Escape},
        {"<enter>", Qt::Key_Return},
    };
    for (qsizetype i = 0; i < keys.size();) {
        bool done = false;
        for (const auto& [name, key] : named) {
            const QString token = QString::fromLatin1(name);
            if (keys.mid(i).startsWith(token)) {
                QTest::keyClick(widget, key);
                i += token.size();
                done = true;
                break;
            }
        }
        if (!done) {
            const QChar c = keys[i];
            QTest::keyClick(widget, c.toLatin1());
            ++i;
        }
    }
}

void pressTab(QWidget* from)
{
    QTest::keyClick(from, Qt::Key_Tab);
}
