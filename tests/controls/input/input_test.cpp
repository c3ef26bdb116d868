#include "controls/input/plain_accelerator.h"
#include "controls/input/popups.h"
#include "controls/input/single_line_input.h"
#include "tests/support/qt/qt_printers.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace
{

// What the clipboard holds, and what a paste leaves in an empty single-line field.
struct Paste {
    const char* clipboard;
    const char* text;
};

class SingleLinePaste : public ::testing::TestWithParam<Paste>
{
};

TEST_P(SingleLinePaste, TakesTheFirstLineOnly)
{
    QLineEdit edit;
    new SingleLineInput(&edit);
    QApplication::clipboard()->setText(QString::fromUtf8(GetParam().clipboard));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Input, SingleLinePaste,
                         ::testing::Values(Paste{"/dane/mag.rek", "/dane/mag.rek"},
                                           Paste{"/dane/mag.rek\nreszta", "/dane/mag.rek"},
                                           Paste{"C:\\dane\\mag.rek\r\n", "C:\\dane\\mag.rek"},
                                           Paste{"\n/dane/mag.rek", ""}));

TEST(SingleLineInput, AltWithACharacterTypesNothing)
{
    QLineEdit edit;
    new SingleLineInput(&edit);
    QTest::keyClick(&edit, Qt::Key_K, Qt::AltModifier);
    EXPECT_EQ(edit.text(), QString());
}

// A menu that will not close when asked, as a pop-up of a careless control may behave.
class StubbornMenu : public QMenu
{
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

TEST(Popups, EveryOpenPopupGoesEvenOneThatRefusesToClose)
{
    QMenu outer;
    StubbornMenu inner;
    outer.addAction(QStringLiteral("Czytaj"));
    inner.addAction(QStringLiteral("Zapisz"));
    outer.popup({10, 10});
    inner.popup({40, 40});
    ASSERT_EQ(QApplication::activePopupWidget(), &inner);
    closeActivePopups();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(inner.isVisible());
}

TEST(PlainAccelerator, TheLetterPressesTheButtonUnlessATextFieldHasTheFocus)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* exit = new QPushButton(QStringLiteral("&Koniec"));
    auto* other = new QPushButton(QStringLiteral("Czytaj"));
    auto* field = new QLineEdit;
    for (QWidget* w :
         {static_cast<QWidget*>(exit), static_cast<QWidget*>(other), static_cast<QWidget*>(field)})
        layout->addWidget(w);
    installPlainAccelerator(exit);
    window.show();
    QApplication::setActiveWindow(&window);
    QSignalSpy pressed(exit, &QPushButton::pressed);

    other->setFocus();
    QTest::keyClick(other, Qt::Key_K);
    EXPECT_EQ(pressed.count(), 1);

    field->setFocus();
    QTest::keyClick(field, Qt::Key_K);
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_EQ(field->text(), QStringLiteral("k"));
}

} // namespace
