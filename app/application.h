#pragma once

#include <QApplication>
#include <QString>

#include <exception>

// The application title from the executable's path: the name after the last "/" or "\", cut at
// its first "." (not the last), the first character kept as it is and the rest lowercased.
// "/opt/x/ABC.DEF.EXE" gives "Abc", "x.y.exe" gives "x". Only the first 255 characters of the
// path count, as the system reports no more of it.
QString applicationTitleFromPath(const QString& executablePath);

// The title of this run: the running TApplication's, or else the one this executable's path
// gives, so the error display has its caption under any application object.
QString applicationTitle();

// The default error display. Releases the mouse and closes any open pop-up first, drops EAbort
// silently, and shows every other error in an application-modal box with the stop icon and one
// OK button: the message (UTF-8) with a "." appended when its last byte compares above "."
// as an unsigned byte, captioned with the application title, centred on the screen of the
// window that was active. Afterwards that window is active again and the widget that had the
// keyboard focus has it again.
void showException(const std::exception& error);

// The application object: keeps Qt from reading or writing settings (the tool keeps no state
// between runs, and Qt's file dialogs would keep their history), computes the title, gives the
// application the program's icon, loads Qt's own translations for the system's locale, sends
// errors raised inside controls to the error display and catches, as a last net, any error that
// escapes an event's delivery.
//
// The tool takes no command-line arguments: Qt is given none of them, so its own options
// (-reverse, -style, -platform, ...) change nothing; the platform comes from the environment.
// Qt is given one program name, the title, and names the application after it: a window
// without a caption of its own (the error display's, when the title is empty) shows the
// title, and so an empty caption for an empty title, never the executable's name.
class TApplication : public QApplication
{
    Q_OBJECT
public:
    // argv[0] is asked for the executable's path only where the system does not tell it.
    TApplication(int argc, char** argv);
    ~TApplication() override;

    const QString& title() const { return title_; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    struct QtCommandLine;
    explicit TApplication(QtCommandLine& commandLine);

    QString title_;
};
