#include "controls/record_grid/record_grid.h"
#include "runtime/system_file_names.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/qt/qt_printers.h"
#include "tests/support/qt/wait_bound.h"
#include "tests/support/qt/window_wait.h"
#include "tests/support/stock_builder.h"

#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>

namespace
{

constexpr int kRecord = 463;

QString captionOf(const QWidget* w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    return {};
}

struct Placed {
    const char* name;
    const char* parent;
    QRect geometry;
    const char* caption;
};

const Placed kLayout[] = {
    {"Panel1", "Form1", {0, 0, 688, 47}, ""},
    {"btn_koniec", "Panel1", {8, 4, 121, 37}, "&Koniec"},
    {"Panel2", "Form1", {0, 47, 688, 406}, ""},
    {"Label2", "Panel2", {8, 11, 106, 13}, "Plik magazynu QX705:"},
    {"FilenameEdit1", "Panel2", {119, 6, 370, 21}, ""},
    {"Button1", "Panel2", {495, 4, 75, 25}, "Czytaj"},
    {"RadioGroup1", "Panel2", {8, 40, 217, 57}, " Metoda zczytywania "},
    {"RadioGroup1Item0", "RadioGroup1", {8, 14, 207, 19}, "inteligentna"},
    {"RadioGroup1Item1", "RadioGroup1", {8, 33, 207, 19}, "po podaniu ilości zapisów do oczytu"},
    {"Label1", "Panel2", {232, 83, 103, 13}, "Ile rekordów zczytać?"},
    {"ed_ile", "Panel2", {344, 80, 121, 21}, ""},
    {"RecordGrid1", "Panel2", {16, 109, 649, 188}, ""},
    {"Button2", "Panel2", {16, 304, 209, 25}, "Zapisz"},
};

TEST_F(MainWindow, OpensAtItsStoredPlaceWithCaptionAndIcon)
{
    EXPECT_EQ(form->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Naprawianie magazynu"));
    EXPECT_EQ(form->frameGeometry().topLeft(), QPoint(245, 403));
    EXPECT_EQ(form->size(), QSize(688, 453));
    EXPECT_FALSE(form->windowIcon().isNull());
}

// A file dialog reads the file system and icon themes as it is made: made at start, it held up
// the window's first appearance by more than the rest of the start-up together.
TEST_F(MainWindow, OpensWithoutMakingAFileDialogUntilOneIsNeeded)
{
    EXPECT_EQ(form->findChild<QFileDialog*>(), nullptr);
}

TEST_F(MainWindow, EveryControlStandsWhereTheLayoutPutsIt)
{
    for (const Placed& p : kLayout) {
        SCOPED_TRACE(p.name);
        QWidget* w = control(p.name);
        ASSERT_NE(w, nullptr);
        ASSERT_NE(w->parentWidget(), nullptr);
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(p.parent));
        EXPECT_EQ(w->geometry(), p.geometry);
        EXPECT_EQ(captionOf(w), QString::fromUtf8(p.caption));
    }
}

TEST_F(MainWindow, CaptionsFitTheirControls)
{
    // Labels are sized to their text: every pixel of ink lies inside.
    for (const char* name : {"Label1", "Label2"}) {
        QWidget* w = control(name);
        EXPECT_LT(w->fontMetrics().tightBoundingRect(captionOf(w)).right(), w->width()) << name;
    }
    for (const char* name : {"RadioGroup1Item0", "RadioGroup1Item1"}) {
        QWidget* w = control(name);
        EXPECT_LE(w->sizeHint().width(), w->width()) << name;
    }
}

TEST_F(MainWindow, StartsWithInteligentnaSelectedCountFieldOffAndFocusOnCzytaj)
{
    EXPECT_TRUE(control<QAbstractButton>("RadioGroup1Item0")->isChecked());
    EXPECT_FALSE(control<QAbstractButton>("RadioGroup1Item1")->isChecked());
    EXPECT_FALSE(control("ed_ile")->isEnabled());
    EXPECT_EQ(grid()->RowCount(), 2);
    EXPECT_EQ(grid()->store().storedRowCount(), 0u);
    EXPECT_EQ(focusedControl(), QStringLiteral("Button1"));
}

TEST_F(MainWindow, EnterAtStartRunsThePreviewOfTheEmptyName)
{
    ModalWatcher watcher;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const auto boxes = errorBoxes(watcher);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("I/O error 6."));
}

TEST_F(MainWindow, EnterInTheFileNameFieldRunsNothing)
{
    typeStockName(scratch.file("brak.dat"));
    ModalWatcher watcher;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    EXPECT_TRUE(watcher.boxes.empty()) << "no default button: the preview did not run";
    EXPECT_EQ(focusedControl(), QStringLiteral("FilenameEdit1"));
}

QStringList tabCycle(MainWindow& /*fixture*/, const std::function<QString()>& focused, int steps)
{
    QStringList seen{focused()};
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << focused();
    }
    return seen;
}

TEST_F(MainWindow, TabGoesRoundTheControlsSkippingTheDisabledCountField)
{
    const QStringList cycle = tabCycle(
        *this, [this] { return focusedControl(); }, 5);
    EXPECT_EQ(cycle, (QStringList{"Button1", "Button2", "FilenameEdit1", "RecordGrid1",
                                  "RadioGroup1Item0", "Button1"}));
}

TEST_F(MainWindow, TabReachesTheCountFieldAndTheSelectedItemOnceEnabled)
{
    pick("RadioGroup1Item1");
    control("Button1")->setFocus(Qt::TabFocusReason);
    const QStringList cycle = tabCycle(
        *this, [this] { return focusedControl(); }, 6);
    EXPECT_EQ(cycle, (QStringList{"Button1", "Button2", "FilenameEdit1", "ed_ile", "RecordGrid1",
                                  "RadioGroup1Item1", "Button1"}));
}

TEST_F(MainWindow, PickingAnItemEnablesTheCountFieldOnlyForTheCountedScan)
{
    auto* count = control("ed_ile");
    pick("RadioGroup1Item1");
    EXPECT_TRUE(count->isEnabled());
    pick("RadioGroup1Item1");
    EXPECT_TRUE(count->isEnabled()) << "a click on the selected item changes nothing";
    pick("RadioGroup1Item0");
    EXPECT_FALSE(count->isEnabled());
}

TEST_F(MainWindow, ArrowKeysInTheRadioGroupPickToo)
{
    auto* first = control<QAbstractButton>("RadioGroup1Item0");
    first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(first, Qt::Key_Down);
    EXPECT_TRUE(control<QAbstractButton>("RadioGroup1Item1")->isChecked());
    EXPECT_TRUE(control("ed_ile")->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_TRUE(first->isChecked());
    EXPECT_FALSE(control("ed_ile")->isEnabled());
}

TEST_F(MainWindow, SelectionSetByProgramIsNoPick)
{
    control<QAbstractButton>("RadioGroup1Item1")->setChecked(true);
    EXPECT_FALSE(control("ed_ile")->isEnabled());
}

TEST_F(MainWindow, CzytajShowsTheRecordsTheScanTakes)
{
    const std::string stock = scratch.file("mag.dat");
    writeFileBytes(stock, stockFileBytes(10, {2, 5, 7}));
    typeStockName(stock);
    ModalWatcher watcher;
    click("Button1");

    EXPECT_TRUE(watcher.boxes.empty());
    const RecordGridStore& store = grid()->store();
    EXPECT_EQ(store.RowCount(), 2 + 7);
    EXPECT_EQ(store.cellText(1, 1), "Towar 1");
    EXPECT_EQ(store.cellText(2, 1), "szt.");
    EXPECT_EQ(store.cellText(3, 1), "K-1");
    EXPECT_EQ(store.cellText(4, 1), "12,50");
    EXPECT_EQ(store.cellText(5, 7), "Opis 7");
    EXPECT_EQ(store.cellText(1, 6), "Towar 6");
    EXPECT_EQ(store.cellText(1, 8), "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindow, ZapiszCopiesTheRecordsTheScanTakesIntoTheChosenFile)
{
    const std::string stock = scratch.file("mag.dat");
    const std::string bytes = stockFileBytes(10, {2, 5, 7}, 100);
    writeFileBytes(stock, bytes);
    typeStockName(stock);
    const std::string output = scratch.file("naprawiony.rek");

    ModalWatcher watcher;
    QString filterShown;
    QStringList filters;
    watcher.onFileDialog = [&](QFileDialog* dialog) {
        filterShown = dialog->selectedNameFilter();
        filters = dialog->nameFilters();
        typeFileName(dialog, QString::fromStdString(output));
    };
    click("Button2");

    EXPECT_EQ(watcher.fileDialogs, 1);
    EXPECT_TRUE(watcher.boxes.empty());
    EXPECT_EQ(filterShown, QStringLiteral("Pliki magaznynów"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("Pliki magaznynów (*.rek)")});
    EXPECT_EQ(readFileBytes(output), bytes.substr(0, 7 * kRecord));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindow, SecondSaveProposesTheFirstNameAndAsksBeforeReplacing)
{
    const std::string stock = scratch.file("mag.dat");
    writeFileBytes(stock, stockFileBytes(4));
    typeStockName(stock);
    const QString output = QString::fromStdString(scratch.file("kopia"));
    {
        ModalWatcher watcher;
        watcher.onFileDialog = [&](QFileDialog* d) { typeFileName(d, output); };
        click("Button2");
    }
    ASSERT_EQ(readFileBytes(output.toStdString()).size(), 4u * kRecord)
        << "a name without an extension is used as typed";
    writeFileBytes(stock, stockFileBytes(2));

    ModalWatcher watcher;
    QStringList proposed;
    watcher.onFileDialog = [&](QFileDialog* d) {
        proposed = d->selectedFiles();
        QTest::keyClick(d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
    };
    click("Button2");

    EXPECT_EQ(proposed, QStringList{output});
    ASSERT_EQ(watcher.boxes.size(), 1u) << "the dialog's question about replacing";
    EXPECT_NE(watcher.boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(readFileBytes(output.toStdString()), stockFileBytes(2));
}

TEST_F(MainWindow, CancelledSaveTouchesNothing)
{
    const std::string stock = scratch.file("mag.dat");
    writeFileBytes(stock, stockFileBytes(3));
    typeStockName(stock);
    const QString output = QString::fromStdString(scratch.file("kopia.rek"));
    {
        ModalWatcher watcher;
        watcher.onFileDialog = [&](QFileDialog* d) { typeFileName(d, output); };
        click("Button2");
    }
    ASSERT_EQ(readFileBytes(output.toStdString()), stockFileBytes(3));
    writeFileBytes(stock, stockFileBytes(5));

    ModalWatcher watcher; // cancels the dialog, which proposes the earlier output
    click("Button2");
    EXPECT_EQ(watcher.fileDialogs, 1);
    EXPECT_TRUE(watcher.boxes.empty());
    EXPECT_EQ(readFileBytes(stock), stockFileBytes(5));
    EXPECT_EQ(readFileBytes(output.toStdString()), stockFileBytes(3)) << "the earlier output";
}

// Polish letters where the system's narrow calls cannot hold them (Windows under another code
// page than 1250): the stock name and the output name are refused as the file-name field
// refuses a bad name, and the look-alike files a best-fit conversion reaches stay untouched.
TEST_F(MainWindow, NamesTheCodePageCannotHoldAreRefusedNeverMapped)
{
    const std::string stock = scratch.file("łódź.rek");
    const std::string output = scratch.file("wyjście żółw.rek");
    if (systemCanName(stock) || systemCanName(output))
        GTEST_SKIP() << "this system's narrow file calls reach every name";
    writeFileBytes(scratch.file("lodz.rek"), stockFileBytes(3));
    writeFileBytes(scratch.file("wyjscie zolw.rek"), "stary");
    // Pasted: the test's keys stand for Latin-1 characters only.
    control<QLineEdit>("FilenameEdit1")->setText(QString::fromStdString(stock));
    for (const char* button : {"Button1", "Button2"}) {
        ModalWatcher watcher;
        watcher.onFileDialog = [&](QFileDialog* d) {
            typeFileName(d, QString::fromStdString(output));
        };
        click(button);
        const auto boxes = errorBoxes(watcher);
        ASSERT_EQ(boxes.size(), 1u) << button;
        const std::string refused = std::string(button) == "Button1" ? stock : output;
        EXPECT_EQ(boxes[0].text.toStdString(), "Invalid file name - " + refused + ".");
    }
    EXPECT_EQ(grid()->RowCount(), 2);
    EXPECT_EQ(readFileBytes(scratch.file("wyjscie zolw.rek")), "stary");
}

// One failure of the preview's or the writer's table, set up and provoked through the window.
struct Failure {
    const char* name;
    const char* button;
    std::function<void(MainWindow&, std::string& stock, std::string& output)> arrange;
    const char* shown;
};
void PrintTo(const Failure& c, std::ostream* os)
{
    *os << c.name;
}

class WindowFailure : public MainWindow, public ::testing::WithParamInterface<Failure>
{
};

TEST_P(WindowFailure, ShownOnceWithFullStopAndTheWindowStaysUsable)
{
    const Failure& f = GetParam();
    std::string stock = scratch.file("mag.dat");
    std::string output = scratch.file("wynik.rek");
    f.arrange(*this, stock, output);
    if (IsSkipped())
        return;
    typeStockName(stock);

    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        ModalWatcher watcher;
        watcher.onFileDialog = [&](QFileDialog* d) {
            typeFileName(d, QString::fromStdString(output));
        };
        click(f.button);
        const auto boxes = errorBoxes(watcher);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, QString::fromUtf8(f.shown));
        EXPECT_EQ(boxes[0].title, QStringLiteral("app_tests"));
        EXPECT_FALSE(boxes[0].busyCursor);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        waitUntilActive(*form);
        EXPECT_EQ(focusedControl(), QString::fromLatin1(f.button));
    }
}

void oldReadOnlyFile(const std::string& path)
{
    if (!systemRefusesReadOnlyFiles())
        GTEST_SKIP() << "this system lets the read-only attribute be written through (Wine keeps "
                        "it as the Unix write bits, which root ignores)";
    writeFileBytes(path, "stary");
    makeReadOnly(path);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowFailure,
    ::testing::Values(
        Failure{"PreviewOfMissingFile", "Button1", [](auto&, auto&, auto&) {}, "File not found."},
        Failure{"SaveOfMissingFile", "Button2", [](auto&, auto&, auto&) {}, "File not found."},
        Failure{
            "PreviewInMissingFolder", "Button1",
            [](MainWindow&, std::string& stock, std::string&) { stock = stock + "-brak/mag.dat"; },
            "Invalid filename."},
        Failure{"SaveIntoMissingFolder", "Button2",
                [](MainWindow&, std::string& stock, std::string& output) {
                    writeFileBytes(stock, stockFileBytes(2));
                    output = output + "-brak/wynik.rek";
                },
                "Invalid filename."},
        Failure{"SaveOverReadOnlyFile", "Button2",
                [](MainWindow&, std::string& stock, std::string& output) {
                    writeFileBytes(stock, stockFileBytes(2));
                    oldReadOnlyFile(output);
                },
                "File access denied."},
        Failure{"PreviewCountedOfUnsetCount", "Button1",
                [](MainWindow& w, std::string& stock, std::string&) {
                    writeFileBytes(stock, stockFileBytes(3));
                    w.pick("RadioGroup1Item1");
                },
                "'' is not a valid integer value."},
        Failure{"PreviewCountPastTheEnd", "Button1",
                [](MainWindow& w, std::string& stock, std::string&) {
                    writeFileBytes(stock, stockFileBytes(3));
                    w.pick("RadioGroup1Item1");
                    w.typeInto("ed_ile", "5");
                },
                "Read beyond end of file."},
        Failure{"SaveCountPastTheEnd", "Button2",
                [](MainWindow& w, std::string& stock, std::string&) {
                    writeFileBytes(stock, stockFileBytes(3));
                    w.pick("RadioGroup1Item1");
                    w.typeInto("ed_ile", "5");
                },
                "Read beyond end of file."},
        Failure{"SaveCountedOfCountTextNoInteger", "Button2",
                [](MainWindow& w, std::string& stock, std::string&) {
                    writeFileBytes(stock, stockFileBytes(3));
                    w.pick("RadioGroup1Item1");
                    // Raw edit text, as no keystroke can leave it.
                    w.control<QLineEdit>("ed_ile")->setText(QStringLiteral("abc"));
                },
                "'abc' is not a valid integer value."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindow, AfterAnErrorTheNextClickRunsAfresh)
{
    const std::string stock = scratch.file("mag.dat");
    typeStockName(stock);
    {
        ModalWatcher watcher;
        click("Button1");
        ASSERT_EQ(errorBoxes(watcher).size(), 1u);
    }
    writeFileBytes(stock, stockFileBytes(2));
    ModalWatcher watcher;
    click("Button1");
    EXPECT_TRUE(watcher.boxes.empty());
    EXPECT_EQ(grid()->store().cellText(1, 2), "Towar 2");
}

TEST_F(MainWindow, ResizingMovesNoControlOfTheWorkArea)
{
    for (const QSize size : {QSize(900, 700), QSize(400, 250)}) {
        SCOPED_TRACE(size.width());
        form->resize(size);
        settle();
        for (const Placed& p : kLayout) {
            if (QString::fromLatin1(p.parent) == QLatin1String("Form1"))
                continue;
            EXPECT_EQ(control(p.name)->geometry(), p.geometry) << p.name;
        }
        EXPECT_EQ(control("Panel1")->geometry(), QRect(0, 0, size.width(), 47));
        EXPECT_EQ(control("Panel2")->geometry(), QRect(0, 47, size.width(), size.height() - 47));
    }
}

// Processes events until the window has gone, as a click through the accelerator ends.
void waitUntilClosed(QWidget& w)
{
    EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.isVisible(); }, kWaitBound)) << "still open";
}

TEST_F(MainWindow, AltKClosesFromATextField)
{
    typeStockName("abc");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::AltModifier);
    waitUntilClosed(*form);
    EXPECT_EQ(control<QLineEdit>("FilenameEdit1")->text(), QStringLiteral("abc"));
}

class PlainK : public MainWindow, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(PlainK, ClosesWhileTheFocusTakesNoTypedCharacters)
{
    control(GetParam())->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(focusedControl(), QString::fromLatin1(GetParam()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_K);
    waitUntilClosed(*form);
}

INSTANTIATE_TEST_SUITE_P(Controls, PlainK,
                         ::testing::Values("Button1", "Button2", "RecordGrid1",
                                           "RadioGroup1Item0"));

TEST_F(MainWindow, PlainKInATextFieldIsTyped)
{
    typeStockName("a");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_K);
    QTest::keyClick(QApplication::focusWidget(), 'K', Qt::ShiftModifier);
    settle();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(control<QLineEdit>("FilenameEdit1")->text(), QStringLiteral("akK"));
}

} // namespace

namespace
{

TEST_F(MainWindow, CountFieldThatCannotBeLeftStopsTheClick)
{
    const std::string stock = scratch.file("mag.dat");
    writeFileBytes(stock, stockFileBytes(3));
    typeStockName(stock);
    pick("RadioGroup1Item1");
    // A plus sign goes only before a digit; deleting the digit leaves text that is no number.
    typeInto("ed_ile", "5");
    QWidget* count = QApplication::focusWidget();
    QTest::keyClick(count, Qt::Key_Home);
    QTest::keyClicks(count, "+");
    QTest::keyClick(count, Qt::Key_Delete);
    ASSERT_EQ(control<QLineEdit>("ed_ile")->text(), QStringLiteral("+"));

    ModalWatcher watcher;
    click("Button1");
    settle();
    const auto boxes = errorBoxes(watcher);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("'+' is not a valid floating point value."));
    EXPECT_EQ(focusedControl(), QStringLiteral("ed_ile"));
    EXPECT_EQ(grid()->store().storedRowCount(), 0u) << "the preview did not run";
    EXPECT_FALSE(control<QAbstractButton>("Button1")->isDown());
}

} // namespace
