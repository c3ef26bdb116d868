#pragma once

#include <QToolButton>

// A flat button that draws no border until the mouse is over it and is transparent over its
// parent. Its glyph (the icon, greyed by the style while disabled) stands left of the caption,
// 4 pixels apart, and the two are centred together on the button; pressed, both move down and
// right by one pixel. The caption's "&" marks the accelerator as on any button.
class TSpeedButton : public QToolButton
{
    Q_OBJECT
public:
    static constexpr int kGlyphSpacing = 4;

    explicit TSpeedButton(QWidget* parent = nullptr);

    // Where the glyph and the caption are drawn in the button's own coordinates.
    QRect glyphRect() const;
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize glyphSize() const;
    int pressOffset() const;
};
