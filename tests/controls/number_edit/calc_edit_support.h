#pragma once

#include "controls/number_edit/calc_edit.h"
#include "tests/support/qt/error_capture.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QString>
#include <QTest>

#include <string>
#include <vector>

// A calculator edit that counts its beeps instead of sounding them.
class CountingCalcEdit : public TCalcEdit
{
public:
    explicit CountingCalcEdit(QWidget* parent = nullptr) : TCalcEdit(parent) {}
    int beeps = 0;

protected:
    void systemBeep() override { ++beeps; }
};

// A shown, active window with the field (the size of the count field), a push button and a
// second line edit, in that tab order.
struct CalcWindow {
    CalcWindow();
    QPoint buttonCentre() const;

    QWidget top;
    CountingCalcEdit* field = nullptr;
    QPushButton* button = nullptr;
    QLineEdit* other = nullptr;
};

// The default locale for one test.
class LocaleScope
{
public:
    explicit LocaleScope(const QLocale& locale) : previous_(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~LocaleScope() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

QLocale polishLocale();

// "{d}" and "{g}" in a text become the default locale's decimal point and group separator.
QString localised(const char* text);

// Types into the widget: plain characters as key clicks, and <home>, <end>, <left>, <bs>,
// <del>, <esc>, <enter> as those keys.
void typeKeys(QWidget* widget, const QString& keys);

// Moves the focus by Tab from the focused widget, as the operator leaves a field.
void pressTab(QWidget* from);
