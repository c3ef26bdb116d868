#pragma once

#include "controls/labelled_edit/tfont.h"

#include <QLabel>

// The plain text label a labelled edit puts beside itself. Its caption is plain text in which
// an ampersand marks the accelerator character ("&&" shows one ampersand); its font carries the
// colour the text is drawn in. The background is the parent's (the label paints none).
class TLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);

    // Face, size, style and text colour.
    const TFont& labelFont() const { return font_; }
    void SetLabelFont(const TFont& font);

    // The text colour alone; the font's face and size stay.
    TColor FontColor() const { return font_.Color(); }
    void SetFontColor(TColor color);

    // While on, the label takes the size of its caption whenever the caption, the font or the
    // word wrap change, and at once when switched on: with word wrap it keeps its width and
    // takes the height of the wrapped text, without it the width and height of the text.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

    // QLabel's word wrap; writing it here also resizes the label while AutoSize is on
    // (QLabel::setWordWrap alone does not).
    bool WordWrap() const { return wordWrap(); }
    void SetWordWrap(bool on);

private:
    void adjustBounds();

    TFont font_;
    bool autoSize_ = false;
};
