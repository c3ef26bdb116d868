#include "controls/button_edit/filename_edit.h"

#include "runtime/exceptions.h"
#include "tests/support/qt/qt_printers.h"
#include "tests/support/qt/wait_bound.h"
#include "tests/support/scratch_dir.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace
{

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

// What the dialog showed when it opened.
struct DialogSeen {
    bool opened = false;
    QString title;
    QString filterShown;
    QString directory;
    QString presetName;
};

// Answers the file dialog the field opens next: records what it shows, then lets answer type
// into it and confirm or cancel. A dialog left open is cancelled, and anything else modal is
// closed, so a browse that went wrong fails the test instead of waiting for an operator.
std::shared_ptr<DialogSeen> whenTheDialogOpens(std::function<void(QFileDialog&)> answer)
{
    auto seen = std::make_shared<DialogSeen>();
    QTimer::singleShot(0, [seen, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) {
            if (modal)
                modal->close();
            return;
        }
        seen->opened = true;
        seen->title = dialog->windowTitle();
        if (auto* types = dialog->findChild<QComboBox*>("fileTypeCombo"))
            seen->filterShown = types->currentText();
        seen->directory = canonical(dialog->directory().absolutePath());
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
            seen->presetName = name->text();
        answer(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    return seen;
}

// The window system activates windows in its own time.
bool becomesActive(QWidget* window)
{
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

void typeNameAndConfirm(QFileDialog& dialog, const QString& name)
{
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    // As an operator has it: the dialog active, the caret in its name field.
    dialog.activateWindow();
    EXPECT_TRUE(becomesActive(&dialog));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, name);
    // For a name that exists the completion list opens as the folder is read, and takes the
    // Enter: the operator's keys go to the window, and from there to the list.
    if (QFileInfo(dialog.directory(), name).exists()) {
        EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; },
                                    kWaitBound))
            << "no completion list for " << name.toStdString();
    }
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible()) << "the dialog did not take " << name.toStdString();
}

auto confirmWith(const QString& name)
{
    return [name](QFileDialog& d) { typeNameAndConfirm(d, name); };
}

void cancel(QFileDialog& d)
{
    d.reject();
}

// A window with the field as the main window holds it, and a folder of stock files:
//   dane/mag.dat, dane/bez_kropki, Moje dane/mag.dat
class FilenameEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedCwd = QDir::currentPath();
        std::filesystem::create_directory(dir.file("dane"));
        std::filesystem::create_directory(dir.file("Moje dane"));
        writeFileBytes(dir.file("dane/mag.dat"), "x");
        writeFileBytes(dir.file("dane/bez_kropki"), "x");
        writeFileBytes(dir.file("Moje dane/mag.dat"), "x");

        top.resize(600, 120);
        field = new TFilenameEdit(&top);
        field->setObjectName("FilenameEdit1");
        field->setGeometry(119, 6, 370, 21);
        other = new QLineEdit(&top);
        other->setGeometry(119, 40, 100, 21);
        top.show();
        top.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&top));
    }
    void TearDown() override
    {
        QDir::setCurrent(savedCwd);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a pop-up outlived the dialog";
    }

    QString at(const std::string& name) const { return QString::fromStdString(dir.file(name)); }
    QToolButton* button() const { return field->findChild<QToolButton*>("EditButton"); }
    void clickButton() const
    {
        QTest::mouseClick(button(), Qt::LeftButton, {}, button()->rect().center());
    }

    ScratchDir dir;
    QString savedCwd;
    QWidget top;
    TFilenameEdit* field = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(FilenameEditTest, ChoosingAPathWithASpaceQuotesItAndFileNameUnquotesIt)
{
    other->setFocus();
    auto seen = whenTheDialogOpens(confirmWith(at("Moje dane/mag.dat")));
    clickButton();

    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(seen->title, "Browse");
    EXPECT_EQ(seen->filterShown, "All files (*.*)");
    EXPECT_EQ(field->text(), '"' + at("Moje dane/mag.dat") + '"');
    EXPECT_EQ(field->FileName(), at("Moje dane/mag.dat"));
    EXPECT_EQ(canonical(QDir::currentPath()), canonical(at("Moje dane")));
    EXPECT_EQ(field->InitialDir(), at("Moje dane/"));
    ASSERT_TRUE(becomesActive(&top));
    EXPECT_EQ(QApplication::focusWidget(), field);
}

TEST_F(FilenameEditTest, ChoosingAPathWithoutSpacesLeavesItUnquoted)
{
    field->setText(at("dane/mag.dat"));
    auto seen = whenTheDialogOpens([](QFileDialog& d) {
        QTest::keyClick(d.findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    });
    clickButton();

    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(seen->directory, canonical(at("dane")));
    EXPECT_EQ(seen->presetName, "mag.dat");
    EXPECT_EQ(field->text(), at("dane/mag.dat"));
    EXPECT_EQ(field->FileName(), at("dane/mag.dat"));
    EXPECT_EQ(canonical(QDir::currentPath()), canonical(at("dane")));
}

TEST_F(FilenameEditTest, TheKeyAfterEnterInTheCompletionListReachesTheField)
{
    whenTheDialogOpens(confirmWith(at("dane/mag.dat")));
    clickButton();
    ASSERT_EQ(field->text(), at("dane/mag.dat"));
    QTest::keyClick(top.windowHandle(), Qt::Key_End);
    QTest::keyClick(top.windowHandle(), Qt::Key_X);
    EXPECT_EQ(field->text(), at("dane/mag.datx"));
}

TEST_F(FilenameEditTest, ANameNotYetExistingMayBeConfirmed)
{
    field->setText(at("dane/mag.dat"));
    whenTheDialogOpens(confirmWith("nowy.dat"));
    clickButton();
    EXPECT_EQ(field->text(), at("dane/nowy.dat"));
}

TEST_F(FilenameEditTest, CancellingLeavesTheTextAndPutsTheFocusInTheField)
{
    field->setText("abc def");
    other->setFocus();
    const QString cwd = QDir::currentPath();
    auto seen = whenTheDialogOpens(cancel);
    clickButton();

    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(field->text(), "abc def");
    ASSERT_TRUE(becomesActive(&top));
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(QDir::currentPath(), cwd);
}

TEST_F(FilenameEditTest, ATextItCannotTakeOpensTheDialogWhereTheLastChoiceLay)
{
    whenTheDialogOpens(confirmWith(at("dane/mag.dat")));
    clickButton();
    ASSERT_EQ(field->text(), at("dane/mag.dat"));

    for (const QString& text : {at("Moje_dane[1]/x.dat"), QString("a|b"), QString()}) {
        field->setText(text);
        auto seen = whenTheDialogOpens(cancel);
        clickButton();
        ASSERT_TRUE(seen->opened) << text.toStdString();
        EXPECT_EQ(seen->directory, canonical(at("dane"))) << text.toStdString();
        EXPECT_EQ(seen->presetName, "mag.dat") << text.toStdString();
        EXPECT_EQ(field->text(), text);
    }
}

TEST_F(FilenameEditTest, AFolderAloneSetsTheDialogsFolderButNoName)
{
    field->setText(at("Moje dane") + "/");
    auto seen = whenTheDialogOpens(cancel);
    clickButton();
    ASSERT_TRUE(seen->opened);
    // The text is one token up to its space, so only "<dir>/Moje" designates anything:
    // its folder is the scratch folder, and "Moje" is the name.
    EXPECT_EQ(seen->directory, canonical(at("")));
    EXPECT_EQ(seen->presetName, "Moje");

    field->setText('"' + at("Moje dane") + "/\"");
    seen = whenTheDialogOpens(cancel);
    clickButton();
    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(seen->directory, canonical(at("Moje dane")));
    EXPECT_EQ(seen->presetName, "");

    // A folder that does not exist leaves the dialog's folder; the name stands as typed.
    field->setText(at("brak/x.dat"));
    seen = whenTheDialogOpens(cancel);
    clickButton();
    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(seen->directory, canonical(at("Moje dane")));
    EXPECT_EQ(seen->presetName, at("brak/x.dat"));
}

TEST_F(FilenameEditTest, AltDownOpensTheDialogAsTheButtonDoes)
{
    field->setFocus();
    QSignalSpy clicks(field, &TCustomButtonEdit::OnButtonClick);
    auto seen = whenTheDialogOpens(confirmWith(at("dane/bez_kropki")));
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(field->text(), at("dane/bez_kropki"));
}

TEST_F(FilenameEditTest, EnterAndEscapeDoNothing)
{
    field->setFocus();
    QTest::keyClicks(field, "mag.dat");
    auto seen = whenTheDialogOpens(cancel);
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(seen->opened);
    EXPECT_EQ(field->text(), "mag.dat");
    EXPECT_EQ(QApplication::focusWidget(), field);
}

void typeCharacter(QWidget* target, const char* utf8)
{
    const QString ch = QString::fromUtf8(utf8);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, ch);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, ch);
    QApplication::sendEvent(target, &release);
}

TEST_F(FilenameEditTest, TypedCharactersTheOemCodePageCannotHoldBecomeQuestionMarks)
{
    field->setFocus();
    for (const char* ch : {"/", "ż", "ó", "ł", "€", "„", "ж", "a"})
        typeCharacter(field, ch);
    EXPECT_EQ(field->text(), "/żół???a");

    field->clear();
    field->SetOEMConvert(false);
    for (const char* ch : {"ż", "€"})
        typeCharacter(field, ch);
    EXPECT_EQ(field->text(), "ż€");
}

TEST_F(FilenameEditTest, PastedTextIsTakenAsItIs)
{
    field->setFocus();
    QApplication::clipboard()->setText("€ mag.dat");
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "€ mag.dat");

    const QString deep = QStringLiteral("/dane").repeated(8000) + QStringLiteral("/mag.dat");
    QApplication::clipboard()->setText(deep);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), deep) << "no length limit";
}

bool sendDrop(QWidget* target, const QMimeData& data)
{
    const QPointF pos(20, 10);
    QDragEnterEvent enter(pos.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted() || drop.isAccepted();
}

TEST_F(FilenameEditTest, FilesDroppedFromTheShellAreRefused)
{
    field->setText("abc");
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(at("dane/mag.dat"))});
    files.setText(at("dane/mag.dat"));
    EXPECT_FALSE(sendDrop(field, files));
    EXPECT_EQ(field->text(), "abc");

    QMimeData text;
    text.setText("xyz");
    EXPECT_FALSE(sendDrop(field, text));
    EXPECT_EQ(field->text(), "abc");
}

TEST_F(FilenameEditTest, WithAcceptFilesADroppedFileBecomesTheFileName)
{
    field->SetAcceptFiles(true);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(at("Moje dane/mag.dat"))});
    EXPECT_TRUE(sendDrop(field, files));
    EXPECT_EQ(field->text(), '"' + at("Moje dane/mag.dat") + '"');
}

TEST_F(FilenameEditTest, FileNameWriteRefusesAnInvalidNameAndChangesNothing)
{
    field->setText("abc");
    for (const QString& bad : {QString("a|b"), QString("/dane/[1].dat"), QString("  ")}) {
        try {
            field->SetFileName(bad);
            ADD_FAILURE() << "no error for " << bad.toStdString();
        } catch (const EButtonEditError& e) {
            EXPECT_EQ(e.message(), "Invalid file name - " + bad.toStdString());
        }
        EXPECT_EQ(field->text(), "abc");
    }
}

TEST_F(FilenameEditTest, FileNameWriteQuotesANameWithASpace)
{
    field->SetFileName(at("Moje dane/mag.dat"));
    EXPECT_EQ(field->text(), '"' + at("Moje dane/mag.dat") + '"');
    field->SetFileName("/[stary]/mag.dat"); // only the last part has to be valid
    EXPECT_EQ(field->text(), "/[stary]/mag.dat");
    field->SetFileName("");
    EXPECT_EQ(field->text(), "");
}

TEST_F(FilenameEditTest, BrowseButtonShowsTheFolderPicture)
{
    EXPECT_EQ(field->ButtonWidth(), 21);
    EXPECT_EQ(button()->width(), 21);
    const QImage glyph = TPathEdit::browseGlyph().toImage();
    EXPECT_EQ(glyph.size(), QSize(14, 12));
    EXPECT_EQ(glyph.pixel(0, 11) & 0xFFFFFF, 0xFF00FFu);
    const QImage shot = button()->grab().toImage();
    int black = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            EXPECT_NE(shot.pixel(x, y) & 0xFFFFFF, 0xFF00FFu) << x << "," << y;
            black += (shot.pixel(x, y) & 0xFFFFFF) == 0;
        }
    EXPECT_GT(black, 20);
}

} // namespace
