#include "app/Unit_main.h"

#include "app/application.h"
#include "app/pictures.h"
#include "app/record_grid_preview.h"
#include "controls/common/error_sink.h"
#include "controls/common/screen_scale.h"
#include "controls/common/shipped_fonts.h"
#include "controls/file_dialog/file_dialog.h"
#include "controls/input/plain_accelerator.h"
#include "runtime/exceptions.h"
#include "runtime/system_file_names.h"
#include "stock/preview.h"
#include "stock/repair_inputs.h"
#include "stock/writer.h"
#include "ui_Unit_main.h"

#include <QAccessibleWidget>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>

#include <utility>

namespace
{

// A name as the record file takes it. One that the system's narrow file calls cannot reach (a
// letter the ANSI code page lacks, on Windows) is refused as the file-name field refuses a bad
// name, before anything is opened: its near match would be another file.
std::string systemFileName(const QString& name)
{
    std::string utf8 = name.toStdString();
    if (!systemCanName(utf8))
        throw EButtonEditError("Invalid file name - " + utf8);
    return utf8;
}

// The window as the preview and the writer see it, read at the moment they ask.
class WindowRepairInputs final : public RepairInputs
{
public:
    explicit WindowRepairInputs(const Ui::TForm1& ui) : ui_(ui) {}

    std::string stockFileName() const override
    {
        return systemFileName(ui_.FilenameEdit1->FileName());
    }
    ScanMethod scanMethod() const override
    {
        return ui_.RadioGroup1->ItemIndex() == 1 ? ScanMethod::Counted : ScanMethod::Intelligent;
    }
    std::string countText() const override { return ui_.ed_ile->Text().toStdString(); }

private:
    const Ui::TForm1& ui_;
};

// The busy cursor for as long as the work runs, whichever way it ends.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

const char* const kSaveFilter = "Pliki magaznynów|*.rek";

// A plain QWidget reads as an anonymous pane; this one is the tool's window.
QAccessibleInterface* windowAccessible(const QString& key, QObject* object)
{
    if (key == QLatin1String(TForm1::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::TForm1>())
{
    registerShippedFonts();
    static const bool windowRoleInstalled = (QAccessible::installFactory(windowAccessible), true);
    (void)windowRoleInstalled;
    ui_->setupUi(this);
    for (QLabel* label : {ui_->Label1, ui_->Label2})
        laidOutCaptions_.emplace_back(label, label->width());
    setFont(atStoredResolution(font()));
    followScreenScale();
    move(property("framePosition").toPoint());
    setWindowIcon(programIcon());
    ui_->btn_koniec->setIcon(exitGlyph());
    installPlainAccelerator(ui_->btn_koniec);

    connect(ui_->Button1, &QPushButton::clicked, this,
            [this] { runGuarded([this] { Button1Click(); }); });
    connect(ui_->Button2, &QPushButton::clicked, this,
            [this] { runGuarded([this] { Button2Click(); }); });
    connect(ui_->btn_koniec, &QToolButton::clicked, this,
            [this] { runGuarded([this] { btn_koniecClick(); }); });
    // A pick is a click that changed the selection; the layout's own selection is none.
    for (QRadioButton* item : ui_->RadioGroup1->Items()) {
        connect(item, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                radioPickPending_ = true;
        });
        connect(item, &QRadioButton::clicked, this, [this] {
            if (std::exchange(radioPickPending_, false))
                runGuarded([this] { RadioGroup1Click(); });
        });
    }
}

TForm1::~TForm1() = default;

void TForm1::Button1Click()
{
    const BusyCursor busy;
    RecordGridPreview grid(ui_->RecordGrid1->store());
    previewStockFile(grid, WindowRepairInputs(*ui_));
}

void TForm1::Button2Click()
{
    QFileDialog& dialog = saveDialog();
    if (saveName_.isEmpty()) {
        // No folder of its own yet: where the open dialog last left the current directory.
        dialog.setDirectory(QDir::currentPath());
    }
    dialog.selectFile(saveName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    saveName_ = dialog.selectedFiles().constFirst();

    const BusyCursor busy;
    writeRepairedFile(WindowRepairInputs(*ui_), systemFileName(saveName_));
}

void TForm1::RadioGroup1Click()
{
    ui_->ed_ile->setEnabled(ui_->RadioGroup1->ItemIndex() == 1);
}

void TForm1::btn_koniecClick()
{
    close();
}

void TForm1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        fitCaptions();
    QWidget::changeEvent(event);
}

void TForm1::fitCaptions()
{
    // Labels are sized to their text: where the face drawn is wider than the one the layout was
    // made with (another system's, or a scaled screen's), a caption grows rather than lose its
    // end, and is back at its laid-out width where the text fits again.
    for (const auto& [label, laidOutWidth] : laidOutCaptions_) {
        const QFontMetrics metrics = label->fontMetrics();
        const int width = metrics.tightBoundingRect(label->text()).right() < laidOutWidth
                              ? laidOutWidth
                              : metrics.horizontalAdvance(label->text()) + 1;
        label->resize(width, label->height());
    }
}

QFileDialog* TForm1::SaveDialog1() const
{
    return saveDialog_;
}

QFileDialog& TForm1::saveDialog()
{
    if (!saveDialog_) {
        saveDialog_ = new TFileDialog(this);
        saveDialog_->setObjectName(QStringLiteral("SaveDialog1"));
        saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
        saveDialog_->setFilter(QString::fromUtf8(kSaveFilter));
        saveDialog_->setDefaultSuffix(QString());
    }
    return *saveDialog_;
}
