#include "app/application.h"

#include "app/pictures.h"
#include "app/qt_translations.h"
#include "controls/common/error_sink.h"
#include "controls/input/popups.h"
#include "runtime/exceptions.h"
#include "runtime/executable_path.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QWidget>

#include <algorithm>
#include <string>

namespace
{

constexpr int kTitleLimit = 255;

// A message box that opens in the middle of the given screen once it knows its own size.
class ErrorBox final : public QMessageBox
{
public:
    explicit ErrorBox(QScreen* screen) : screen_(screen) {}

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (screen_) {
            // The whole box, frame included, centred as the screen's own centre is reckoned.
            QRect frame = frameGeometry();
            frame.moveCenter(screen_->availableGeometry().center());
            move(frame.topLeft());
        }
    }

private:
    QPointer<QScreen> screen_;
};

// What a pressed button or an open drop-down must give up before a modal box takes over.
void cancelMouseMode()
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    closeActivePopups();
}

// Qt's own file dialogs keep their history, last folder and look in the user's settings, and
// the next run would open with them. The tool keeps no state between runs: settings are files
// (not the registry, where Windows keeps native ones) in a folder that cannot exist, one inside
// the program's own file, so nothing is read from the user's settings and nothing written.
void keepNoSettings()
{
    const QString nowhere = QCoreApplication::applicationFilePath() + QStringLiteral("/settings");
    QSettings::setDefaultFormat(QSettings::IniFormat);
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, nowhere);
}

} // namespace

QString applicationTitleFromPath(const QString& executablePath)
{
    const QString path = executablePath.left(kTitleLimit);
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    QString name = path.mid(slash + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    const qsizetype firstLength = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
    return name.left(firstLength) + name.mid(firstLength).toLower();
}

QString applicationTitle()
{
    if (auto* app = qobject_cast<TApplication*>(QCoreApplication::instance()))
        return app->title();
    return applicationTitleFromPath(QCoreApplication::applicationFilePath());
}

void showException(const std::exception& error)
{
    cancelMouseMode();
    if (dynamic_cast<const EAbort*>(&error))
        return;

    const std::string message = displayedMessage(error);

    QPointer<QWidget> active = QApplication::activeWindow();
    QPointer<QWidget> focus = QApplication::focusWidget();
    QScreen* screen = active ? active->screen() : QGuiApplication::primaryScreen();

    ErrorBox box(screen);
    if (screen)
        box.setScreen(screen);
    box.setWindowTitle(applicationTitle().left(kTitleLimit));
    box.setIcon(QMessageBox::Critical);
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(message));
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();

    if (active) {
        active->activateWindow();
        if (focus && focus->window() == active && focus->isEnabled() && focus->isVisible())
            focus->setFocus(Qt::ActiveWindowFocusReason);
    }
}

// What Qt is given of the command line; Qt keeps the pointers for the application's life.
struct TApplication::QtCommandLine {
    QString title;
    std::string programName;
    char* argv[2] = {};
    int argc = 1;
};

TApplication::TApplication(int argc, char** argv)
    : TApplication([&]() -> QtCommandLine& {
          // One application object at a time: the storage outlives each.
          static QtCommandLine line;
          // The path as the system reports it, asked before the application object exists.
          line.title = applicationTitleFromPath(
              QString::fromStdString(executablePath(argc > 0 ? argv[0] : nullptr)));
          line.programName = line.title.toLocal8Bit().toStdString();
          line.argv[0] = line.programName.data();
          line.argc = 1;
          return line;
      }())
{
}

TApplication::TApplication(QtCommandLine& commandLine)
    : QApplication(commandLine.argc, commandLine.argv), title_(commandLine.title)
{
    keepNoSettings();
    setWindowIcon(programIcon());
    installQtTranslations(QLocale::system());
    setErrorSink([](const std::exception& e) { showException(e); });
}

TApplication::~TApplication()
{
    setErrorSink({});
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showException(e);
    }
    return false;
}
