#pragma once

#include "controls/common/tcolor.h"

#include <QFont>
#include <QMetaType>

// A font as a form's controls carry it: face, size and style, and the colour its text is drawn
// in. A plain value; the edit that owns one hands it out by reference for changes in place.
class TFont
{
public:
    TFont() = default;
    explicit TFont(const QFont& font, TColor color = clWindowText) : font_(font), color_(color) {}

    QFont Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }

    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }

    // Takes every attribute of the other font.
    void Assign(const TFont& other) { *this = other; }

    bool operator==(const TFont& other) const = default;

    // A stored layout gives a font in points at 96 dots per inch and without a colour: the same
    // face and style at the pixel height that resolution gives (8 points: 11 pixels), in the
    // window-text colour. A font given in pixels keeps its size.
    static TFont fromStoredFont(const QFont& stored);

    // Lets the property system write a QFont (what a stored layout holds) into a TFont
    // property, through fromStoredFont. Safe to call more than once.
    static void registerStoredFontConversion();

private:
    QFont font_;
    TColor color_ = clWindowText;
};

Q_DECLARE_METATYPE(TFont)
