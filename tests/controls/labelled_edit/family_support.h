#pragma once

#include "controls/labelled_edit/morva_calc_edit.h"
#include "controls/labelled_edit/morva_db_edit.h"
#include "controls/labelled_edit/morva_edit.h"
#include "tests/support/qt/qt_printers.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <ostream>

// The window's font: Tahoma at 11 pixels where the Windows fonts are installed, else the
// platform's sans font at that size.
QFont windowFont();

// A shown, active window holding a panel with the edit under test (121 x 21 at 150, 100 on the
// panel, as the count field is) and a plain line edit that has the focus, after the edit in
// the tab order.
template <typename Edit> struct FamilyWindow {
    FamilyWindow()
    {
        top.resize(480, 300);
        top.setFont(windowFont());
        panel = new QWidget(&top);
        panel->setObjectName(QStringLiteral("Panel2"));
        panel->setGeometry(0, 0, 480, 240);
        edit = new Edit(panel);
        edit->setObjectName(QStringLiteral("edit"));
        edit->setGeometry(150, 100, 121, 21);
        other = new QLineEdit(&top);
        other->setObjectName(QStringLiteral("other"));
        other->setGeometry(10, 260, 100, 21);
        other->setFocus();
        top.show();
        top.activateWindow();
        [this] { ASSERT_TRUE(QTest::qWaitForWindowActive(&top)); }();
    }

    QWidget top;
    QWidget* panel = nullptr;
    Edit* edit = nullptr;
    QLineEdit* other = nullptr;
};

// The background as the operator sees it: a pixel of the grabbed edit inside the client area,
// a third of the way across and half-way down, where an empty edit shows no text and no caret.
QColor backgroundSeen(LabelledEdit& member);

// The edit as painted, grabbed whole.
QImage grabbed(QWidget& widget);

// Tab from the focused widget, as the operator moves on.
void pressTab(QWidget* from);

// Pixels of the image exactly in the colour.
int pixelsIn(const QImage& image, const QColor& color);
