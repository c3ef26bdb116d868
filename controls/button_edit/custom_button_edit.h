#pragma once

#include <QKeySequence>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>

#include <functional>

class QPainter;
class QToolButton;

// Where a drop-down window stands against its field.
enum TPopupAlign {
    epaRight, // right edges together
    epaLeft,  // left edges together
};

// A single-line edit with a button inside its right edge, and the machinery a field needs to
// drop a pop-up window down under itself.
//
// The button is a child tool button (object name "EditButton") on a container (object name
// "EditButtonPanel") that stands at the right edge of the client area and takes its full
// height; the text area ends 2 pixels left of the button, so text never runs under it. The
// button never holds the focus (a press on it puts the focus into the field, as a press
// anywhere in the field does) and is enabled and disabled with the field.
//
// Button click (mouse, or ClickKey while the button is wider than 0): unless ReadOnly, runs
// ButtonClick(). Errors raised inside the field's own event handling go to reportError()
// (error_sink.h), never into Qt.
//
// The text has no length limit. Text from outside (pasted, dropped, from an input method) is
// cut at its first line break before the field takes it, and Alt with a character types
// nothing (single_line_input.h); a paste goes to insertPasted().
//
// Keys: ClickKey clicks the button and is consumed. Enter and Escape are offered to the window
// as dialog keys (a dialog's default or cancel button acts on them); Enter is consumed, so it
// adds nothing to the text. While the pop-up is open, Escape closes it without acceptance.
//
// Entering and leaving: "entering" and "leaving" mean the focus moving from control to control;
// a window losing and regaining activation neither leaves nor enters the field. With AutoSelect
// the whole text is selected when the field is entered by keyboard (Tab, Backtab, a shortcut),
// never when it is clicked into.
class TCustomButtonEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QKeySequence ClickKey READ ClickKey WRITE SetClickKey)
    Q_PROPERTY(bool DirectInput READ DirectInput WRITE SetDirectInput)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
    Q_PROPERTY(QPixmap Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth)

public:
    explicit TCustomButtonEdit(QWidget* parent = nullptr);
    ~TCustomButtonEdit() override;

    // The key that clicks the button; Alt+Down by default. An empty sequence disables it.
    QKeySequence ClickKey() const { return clickKey_; }
    void SetClickKey(const QKeySequence& key) { clickKey_ = key; }

    // Typing, pasting and cutting allowed (default on). Off, the button still works.
    bool DirectInput() const { return directInput_; }
    void SetDirectInput(bool on);

    // The field's own read-only state (default off): no typing, and the button does nothing.
    // Independent of QLineEdit::isReadOnly(), which the field drives itself.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);

    // Select the whole text on entering by keyboard (default on).
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }

    // The button's picture: NumGlyphs images of equal width side by side, the first for the
    // normal look, the second (when there is one) for the disabled look; with one image the
    // disabled look is derived from it. The colour of the bottom-left pixel is transparent.
    // The width is not changed by a new glyph; see ButtonWidth.
    QPixmap Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& glyph);
    // A glyph that can be drawn at any device pixel ratio, so it stays sharp on a scaled screen:
    // draw(ratio) gives the strip at that ratio, draw(1) is what Glyph then holds. A glyph set
    // by SetGlyph replaces it.
    void setGlyphSource(std::function<QPixmap(qreal ratio)> draw);
    // 1 to 4; values outside are clamped.
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);

    // Width of the button in pixels (default 21); 0 hides it and disables ClickKey.
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    // The width a glyph asks for: the larger of (glyph width / images + 6) and 21.
    static int glyphButtonWidth(const QPixmap& glyph, int numGlyphs);

    // Runs the button-click operation as a click on the button does: nothing while ReadOnly.
    void doClick();

    QToolButton* Button() const;

    // --- the drop-down ---
    //
    // A subclass gives the field its pop-up window with SetPopup(). From then on a button
    // click (ButtonClick's default) drops it down, or closes it with acceptance when it is
    // open; a press on the button while it is open closes it as the mouse button goes down,
    // and the click that follows is swallowed. It closes without acceptance on Escape, when
    // the field loses the focus, on a mouse press in the field's text and on a mouse press
    // anywhere else in the application outside the field, its button and the pop-up.
    //
    // The pop-up is shown without being activated and never takes the focus; the field keeps
    // the focus and its edit is read-only with the caret hidden while it is open.

    // The field takes ownership and makes it a frameless pop-up window that is never
    // activated and does not accept the focus. nullptr removes the drop-down (the old pop-up is
    // deleted).
    void SetPopup(QWidget* popup);
    QWidget* Popup() const { return popup_; }
    bool popupVisible() const;

    TPopupAlign PopupAlign() const { return popupAlign_; }
    void SetPopupAlign(TPopupAlign align) { popupAlign_ = align; }

    // Where the pop-up's top-left corner goes, in screen coordinates: below the field with
    // the edges put together by align; with the left edge on the field's left edge instead
    // when epaRight would put it left of the screen; above the field when its bottom would
    // pass the screen's bottom; finally its left edge kept between the screen's left and
    // right minus the pop-up's width.
    static QPoint PopupOrigin(const QRect& fieldOnScreen, const QSize& popupSize,
                              const QRect& screen, TPopupAlign align);

    // Places and shows the pop-up (nothing without one, or when it is open). Overrides prepare
    // the pop-up's contents and call the base.
    virtual void PopupDropDown();
    // Hides the pop-up and makes the edit writable again (unless DirectInput is off or the
    // field is ReadOnly); with accept it then gives the field the focus and calls
    // acceptValue(). Closing without acceptance leaves the focus where it is going.
    virtual void popupCloseUp(bool accept);

signals:
    // Runs first in every button-click operation.
    void OnButtonClick();

protected:
    // The button-click operation. The default emits OnButtonClick and then drops the pop-up
    // down or closes it with acceptance; a field without a pop-up does only the former.
    // Overrides call the base first.
    virtual void ButtonClick();

    // The pop-up was closed with acceptance: take its result into the text.
    virtual void acceptValue() {}

    // A paste, its text already cut at the first line break and not empty, while the edit is
    // writable. The default inserts it at the caret, over the selection. Errors reach the error
    // display.
    virtual void insertPasted(const QString& line);

    // The field was entered (focus came from elsewhere; the reason is how). Runs after the
    // edit has taken the focus and before AutoSelect selects. Errors reach the error display.
    virtual void doEnter(Qt::FocusReason reason);
    // The field was left. When it throws, the error goes to the error display and the field
    // counts as not left: an override that puts the focus back then sees no second doEnter.
    virtual void doExit();

    // While true, the edit does not draw its own text: the base paints the empty frame and
    // background and then calls paintDisplayText() with editRect().
    virtual bool paintsDisplayText() const { return false; }
    virtual void paintDisplayText(QPainter& painter, const QRect& textArea);

    // The client area: the field inside its frame, in the field's coordinates.
    QRect clientRect() const;
    // The client area less the button and the 2-pixel gap before it: where text may stand.
    QRect editRect() const;

    // Tells whether the event is ClickKey.
    bool isClickKey(const QKeyEvent* event) const;
    // The base's Enter and Escape handling, for overrides of keyPressEvent that must run it at
    // their own point: Escape with the pop-up open closes it without acceptance; otherwise
    // the key is offered to the window as a dialog key. Returns true when the key is consumed
    // (Escape that closed the pop-up, and every Enter); false for any other key.
    bool enterEscapeKey(QKeyEvent* event);

    // Applies ReadOnly, DirectInput and the pop-up's state to the edit's own read-only flag.
    void updateEditReadOnly();

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutButton();
    void updateButtonGlyph();
    void onButtonPressed();
    void onButtonClicked();

    QKeySequence clickKey_;
    bool directInput_ = true;
    bool readOnly_ = false;
    bool autoSelect_ = true;
    bool entered_ = false;
    bool swallowClick_ = false;
    QPixmap glyph_;
    std::function<QPixmap(qreal ratio)> glyphSource_;
    int numGlyphs_ = 1;
    int buttonWidth_ = 21;
    TPopupAlign popupAlign_ = epaRight;
    QWidget* buttonPanel_ = nullptr;
    QToolButton* button_ = nullptr;
    QPointer<QWidget> popup_;
};
