#include "controls/button_edit/custom_button_edit.h"

#include "controls/common/error_sink.h"
#include "controls/common/glyph.h"
#include "controls/input/single_line_input.h"

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <qdrawutil.h>

#include <algorithm>
#include <limits>

namespace
{

// The speed button inside the field: a raised face, the glyph in its middle (shifted by a
// pixel while pressed), and while not pressed two lines along its left edge that part it
// from the text.
class TEditButton : public QToolButton
{
public:
    explicit TEditButton(QWidget* parent) : QToolButton(parent) {}

    void setGlyph(const QIcon& glyph, QSize size)
    {
        glyph_ = glyph;
        glyphSize_ = size;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QPalette& pal = palette();
        const bool down = isDown();
        const QBrush face = pal.brush(QPalette::Button);
        qDrawWinButton(&p, rect(), pal, down, &face);
        if (!down) {
            p.setPen(pal.color(QPalette::Button));
            p.drawLine(0, 0, 0, height() - 1);
            p.setPen(pal.color(QPalette::Light));
            p.drawLine(1, 0, 1, height() - 1);
        }
        if (glyph_.isNull() || glyphSize_.isEmpty())
            return;
        const QPixmap image = glyph_.pixmap(glyphSize_, devicePixelRatioF(),
                                            isEnabled() ? QIcon::Normal : QIcon::Disabled);
        int x = (width() - glyphSize_.width()) / 2;
        int y = (height() - glyphSize_.height()) / 2;
        if (down) {
            ++x;
            ++y;
        }
        p.drawPixmap(QRect(QPoint(x, y), glyphSize_), image);
    }

private:
    QIcon glyph_;
    QSize glyphSize_;
};

// The classic greyed picture: every opaque pixel that is not white becomes a shadow-coloured
// pixel over a highlight-coloured copy one pixel (of the layout, so more on a scaled screen)
// down and right.
QPixmap embossed(const QImage& image, const QPalette& pal)
{
    QImage shape(image.size(), QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            if (qAlpha(px) != 0 && (px & 0xFFFFFF) != 0xFFFFFF)
                shape.setPixel(x, y, 0xFF000000);
        }
    auto tinted = [&](const QColor& colour) {
        QImage t = shape;
        QPainter p(&t);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(t.rect(), colour);
        return t;
    };
    const int offset = std::max(1, qRound(image.devicePixelRatio()));
    QImage out(image.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawImage(offset, offset, tinted(pal.color(QPalette::Light)));
    p.drawImage(0, 0, tinted(pal.color(QPalette::Dark)));
    p.end();
    QPixmap greyed = QPixmap::fromImage(out);
    greyed.setDevicePixelRatio(image.devicePixelRatio());
    return greyed;
}

// One of the strip's images of equal width, at the strip's ratio.
QImage frameOf(const QPixmap& strip, int images, int index)
{
    const int width = strip.width() / images;
    QImage frame = strip.toImage().copy(index * width, 0, width, strip.height());
    frame.setDevicePixelRatio(strip.devicePixelRatio());
    return frame;
}

bool isWindowSwitch(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

bool isEnterOrEscape(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

TCustomButtonEdit::TCustomButtonEdit(QWidget* parent)
    : QLineEdit(parent), clickKey_(QKeyCombination(Qt::AltModifier, Qt::Key_Down))
{
    buttonPanel_ = new QWidget(this);
    buttonPanel_->setObjectName(QStringLiteral("EditButtonPanel"));
    buttonPanel_->setCursor(Qt::ArrowCursor);
    auto* button = new TEditButton(buttonPanel_);
    button->setObjectName(QStringLiteral("EditButton"));
    button->setFocusPolicy(Qt::NoFocus);
    button_ = button;
    connect(button_, &QToolButton::pressed, this, &TCustomButtonEdit::onButtonPressed);
    connect(button_, &QToolButton::clicked, this, &TCustomButtonEdit::onButtonClicked);
    setMaxLength(std::numeric_limits<int>::max());
    new SingleLineInput(this,
                        [this](const QString& line) { runGuarded([&] { insertPasted(line); }); });
    layoutButton();
}

TCustomButtonEdit::~TCustomButtonEdit()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void TCustomButtonEdit::SetDirectInput(bool on)
{
    directInput_ = on;
    updateEditReadOnly();
}

void TCustomButtonEdit::SetReadOnly(bool on)
{
    readOnly_ = on;
    updateEditReadOnly();
}

void TCustomButtonEdit::SetGlyph(const QPixmap& glyph)
{
    glyphSource_ = nullptr;
    glyph_ = transparentGlyph(glyph.toImage());
    updateButtonGlyph();
}

void TCustomButtonEdit::setGlyphSource(std::function<QPixmap(qreal ratio)> draw)
{
    glyphSource_ = std::move(draw);
    glyph_ = transparentGlyph(glyphSource_(1.0).toImage());
    updateButtonGlyph();
}

void TCustomButtonEdit::SetNumGlyphs(int count)
{
    numGlyphs_ = std::clamp(count, 1, 4);
    updateButtonGlyph();
}

void TCustomButtonEdit::SetButtonWidth(int width)
{
    buttonWidth_ = std::max(width, 0);
    layoutButton();
}

int TCustomButtonEdit::glyphButtonWidth(const QPixmap& glyph, int numGlyphs)
{
    const int images = std::max(numGlyphs, 1);
    return std::max(qRound(glyph.deviceIndependentSize().width()) / images + 6, 21);
}

void TCustomButtonEdit::doClick()
{
    if (readOnly_)
        return;
    ButtonClick();
}

QToolButton* TCustomButtonEdit::Button() const
{
    return button_;
}

void TCustomButtonEdit::ButtonClick()
{
    emit OnButtonClick();
    if (!popup_)
        return;
    if (popupVisible())
        popupCloseUp(true);
    else
        PopupDropDown();
}

void TCustomButtonEdit::SetPopup(QWidget* popup)
{
    if (popup_ == popup)
        return;
    if (popup_) {
        qApp->removeEventFilter(this);
        delete popup_.data();
    }
    popup_ = popup;
    if (popup) {
        // A tool window is activated on being shown by some platforms whatever its hints
        // say, and would take the focus from the field; a tooltip-type window never is.
        popup->setParent(this,
                         Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
        popup->setAttribute(Qt::WA_ShowWithoutActivating);
        popup->setFocusPolicy(Qt::NoFocus);
        popup->hide();
    }
    updateEditReadOnly();
}

bool TCustomButtonEdit::popupVisible() const
{
    return popup_ && popup_->isVisible();
}

QPoint TCustomButtonEdit::PopupOrigin(const QRect& fieldOnScreen, const QSize& popupSize,
                                      const QRect& screen, TPopupAlign align)
{
    int x =
        align == epaRight ? fieldOnScreen.right() + 1 - popupSize.width() : fieldOnScreen.left();
    if (x < screen.left())
        x = fieldOnScreen.left();
    int y = fieldOnScreen.bottom() + 1;
    if (y + popupSize.height() > screen.bottom() + 1)
        y = fieldOnScreen.top() - popupSize.height();
    x = std::min(x, screen.right() + 1 - popupSize.width());
    x = std::max(x, screen.left());
    return {x, y};
}

void TCustomButtonEdit::PopupDropDown()
{
    if (!popup_ || popup_->isVisible())
        return;
    const QRect field(mapToGlobal(QPoint(0, 0)), size());
    const QScreen* s = screen();
    const QRect area = s ? s->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
    popup_->move(PopupOrigin(field, popup_->size(), area, popupAlign_));
    setFocus(Qt::OtherFocusReason);
    popup_->show();
    popup_->raise();
    updateEditReadOnly();
    qApp->installEventFilter(this);
    update();
}

void TCustomButtonEdit::popupCloseUp(bool accept)
{
    if (!popupVisible())
        return;
    qApp->removeEventFilter(this);
    popup_->hide();
    updateEditReadOnly();
    if (accept) {
        setFocus(Qt::OtherFocusReason);
        acceptValue();
    }
    update();
}

void TCustomButtonEdit::insertPasted(const QString& line)
{
    insert(line);
}

void TCustomButtonEdit::doEnter(Qt::FocusReason) {}

void TCustomButtonEdit::doExit() {}

void TCustomButtonEdit::paintDisplayText(QPainter&, const QRect&) {}

QRect TCustomButtonEdit::clientRect() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

QRect TCustomButtonEdit::editRect() const
{
    QRect r = clientRect();
    r.setWidth(std::max(r.width() - buttonWidth_ - 2, 0));
    return r;
}

bool TCustomButtonEdit::isClickKey(const QKeyEvent* event) const
{
    if (clickKey_.count() != 1)
        return false;
    const QKeyCombination pressed(event->modifiers() & ~Qt::KeypadModifier,
                                  static_cast<Qt::Key>(event->key()));
    return pressed == clickKey_[0];
}

bool TCustomButtonEdit::enterEscapeKey(QKeyEvent* event)
{
    const int key = event->key();
    if (!isEnterOrEscape(key))
        return false;
    if (key == Qt::Key_Escape && popupVisible()) {
        popupCloseUp(false);
        event->accept();
        return true;
    }
    if (key != Qt::Key_Escape)
        QLineEdit::keyPressEvent(event); // returnPressed and editingFinished, nothing typed
    if (QWidget* parent = parentWidget()) {
        QKeyEvent offered(event->type(), key, event->modifiers(), event->text(),
                          event->isAutoRepeat(), event->count());
        offered.ignore();
        QCoreApplication::sendEvent(parent, &offered);
    }
    event->accept();
    return key != Qt::Key_Escape;
}

void TCustomButtonEdit::updateEditReadOnly()
{
    setReadOnly(readOnly_ || !directInput_ || popupVisible());
}

bool TCustomButtonEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The field's own keys win over any shortcut of the window.
        if ((isClickKey(key) && buttonWidth_ > 0) ||
            (key->key() == Qt::Key_Escape && popupVisible())) {
            key->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TCustomButtonEdit::keyPressEvent(QKeyEvent* event)
{
    if (isClickKey(event) && buttonWidth_ > 0) {
        event->accept();
        runGuarded([this] { doClick(); });
        return;
    }
    if (isEnterOrEscape(event->key())) {
        enterEscapeKey(event);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TCustomButtonEdit::focusInEvent(QFocusEvent* event)
{
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (entered_)
        return;
    entered_ = true;
    const Qt::FocusReason reason = event->reason();
    runGuarded([&] { doEnter(reason); });
    if (reason == Qt::MouseFocusReason || reason == Qt::ActiveWindowFocusReason)
        return;
    if (autoSelect_)
        selectAll();
    else if (!hadSelection && hasSelectedText())
        deselect(); // the line edit selects on Tab by itself
}

void TCustomButtonEdit::focusOutEvent(QFocusEvent* event)
{
    if (popupVisible())
        runGuarded([this] { popupCloseUp(false); });
    QLineEdit::focusOutEvent(event);
    if (!entered_ || isWindowSwitch(event->reason()))
        return;
    if (runGuarded([this] { doExit(); }))
        entered_ = false;
}

void TCustomButtonEdit::mousePressEvent(QMouseEvent* event)
{
    if (popupVisible())
        runGuarded([this] { popupCloseUp(false); });
    QLineEdit::mousePressEvent(event);
}

void TCustomButtonEdit::paintEvent(QPaintEvent* event)
{
    if (!paintsDisplayText()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter p(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    paintDisplayText(p, editRect());
}

void TCustomButtonEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    layoutButton();
}

void TCustomButtonEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::FontChange:
        layoutButton();
        break;
    case QEvent::PaletteChange:
        updateButtonGlyph();
        break;
    default:
        break;
    }
}

bool TCustomButtonEdit::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::NonClientAreaMouseButtonPress) &&
        watched->isWidgetType() && popupVisible()) {
        auto* target = static_cast<QWidget*>(watched);
        const bool inside = target == this || isAncestorOf(target) || target == popup_ ||
                            popup_->isAncestorOf(target);
        if (!inside)
            runGuarded([this] { popupCloseUp(false); });
    }
    return QLineEdit::eventFilter(watched, event);
}

void TCustomButtonEdit::layoutButton()
{
    if (!buttonPanel_)
        return;
    const QRect client = clientRect();
    const int width = std::min(buttonWidth_, std::max(client.width(), 0));
    buttonPanel_->setGeometry(client.right() + 1 - width, client.top(), width, client.height());
    button_->setGeometry(0, 0, width, client.height());
    buttonPanel_->setVisible(width > 0);
    const QMargins m = textMargins();
    if (m.right() != width)
        setTextMargins(m.left(), m.top(), width, m.bottom());
}

void TCustomButtonEdit::updateButtonGlyph()
{
    if (!button_)
        return;
    if (glyph_.isNull()) {
        static_cast<TEditButton*>(button_)->setGlyph(QIcon(), QSize());
        return;
    }
    const QSizeF strip = glyph_.deviceIndependentSize();
    const QSize size(qRound(strip.width()) / numGlyphs_, qRound(strip.height()));
    auto draw = [glyph = glyph_, source = glyphSource_, images = numGlyphs_,
                 palette = palette()](qreal ratio, QIcon::Mode mode) {
        QPixmap drawn = glyph;
        if (source && ratio != glyph.devicePixelRatio()) {
            QImage picture = source(ratio).toImage();
            picture.setDevicePixelRatio(ratio);
            drawn = transparentGlyph(picture);
        }
        if (mode != QIcon::Disabled)
            return QPixmap::fromImage(frameOf(drawn, images, 0));
        return images >= 2 ? QPixmap::fromImage(frameOf(drawn, images, 1))
                           : embossed(frameOf(drawn, images, 0), palette);
    };
    static_cast<TEditButton*>(button_)->setGlyph(drawnIcon(size, draw), size);
}

void TCustomButtonEdit::onButtonPressed()
{
    swallowClick_ = popupVisible();
    if (swallowClick_)
        runGuarded([this] { popupCloseUp(true); });
}

void TCustomButtonEdit::onButtonClicked()
{
    if (swallowClick_) {
        swallowClick_ = false;
        return;
    }
    runGuarded([this] { doClick(); });
}
