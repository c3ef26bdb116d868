#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QTimer>

// A key of the pocket calculator: a raised 3D button with its caption centred in
// CaptionColor, moved a pixel down and right while pressed. It never takes the focus, so the
// field the calculator belongs to keeps it.
class TCalcButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QColor CaptionColor READ CaptionColor WRITE SetCaptionColor)

public:
    explicit TCalcButton(QWidget* parent = nullptr);

    // The calculator key this button stands for (see TCalculatorEngine), 0 for none.
    char Key() const { return key_; }
    void SetKey(char key) { key_ = key; }

    // An invalid colour draws the caption in the palette's button-text colour.
    QColor CaptionColor() const { return captionColor_; }
    void SetCaptionColor(const QColor& colour);

    // Shows the button pressed for a moment, as when its key is typed; emits nothing.
    void pressVisibly();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    char key_ = 0;
    QColor captionColor_;
    QTimer release_;
};
