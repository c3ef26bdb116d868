#include "controls/common/screen_scale.h"

#include "controls/common/shipped_fonts.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QPointer>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace
{

// The font a widget named, and the one drawn in its place at the present ratio.
constexpr char kNamedFont[] = "naprawaNamedFont";
constexpr char kDrawnFont[] = "naprawaDrawnFont";

void refit(QWidget* window)
{
    const qreal ratio = window->devicePixelRatioF();
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        if (!widget->testAttribute(Qt::WA_SetFont))
            continue;
        const QFont current = widget->font();
        const QVariant drawn = widget->property(kDrawnFont);
        // A font set since the last fit (or never fitted) is the one the widget now names.
        if (!drawn.isValid() || drawn.value<QFont>() != current)
            widget->setProperty(kNamedFont, current);
        const QFont wanted = atDevicePixelRatio(widget->property(kNamedFont).value<QFont>(), ratio);
        widget->setProperty(kDrawnFont, wanted);
        if (wanted != current)
            widget->setFont(wanted);
    }
}

// Watches one window: the screen it is on, and that screen's scale, which the user can change
// while the window stays where it is.
class ScreenWatch : public QObject
{
public:
    ScreenWatch(QWidget* window, QWindow* handle) : QObject(handle), window_(window)
    {
        connect(handle, &QWindow::screenChanged, this, &ScreenWatch::watchScreen);
        watchScreen(handle->screen());
    }

private:
    void watchScreen(QScreen* screen)
    {
        disconnect(scaleChanged_);
        if (screen)
            scaleChanged_ = connect(screen, &QScreen::logicalDotsPerInchChanged, this,
                                    &ScreenWatch::refitWindow);
        refitWindow();
    }

    void refitWindow()
    {
        if (window_)
            refit(window_);
    }

    QPointer<QWidget> window_;
    QMetaObject::Connection scaleChanged_;
};

class ScreenScaleFollower : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow())
            return false;
        QWindow* handle = widget->windowHandle();
        if (handle && !handle->findChild<ScreenWatch*>(QString(), Qt::FindDirectChildrenOnly))
            new ScreenWatch(widget, handle);
        else
            refit(widget);
        return false;
    }
};

} // namespace

void followScreenScale()
{
    static QPointer<ScreenScaleFollower> follower;
    if (follower || !qApp)
        return;
    follower = new ScreenScaleFollower(qApp);
    qApp->installEventFilter(follower);
}
