#include "controls/common/tcolor.h"

#include <QGuiApplication>

#include <QPalette>

#include <array>

namespace
{

struct NamedColor {
    std::string_view name;
    TColor color;
};

constexpr std::array<NamedColor, 46> kNames = {{
    {"clblack", 0x000000},
    {"clmaroon", 0x000080},
    {"clgreen", 0x008000},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clgray", 0x808080},
    {"clsilver", 0xC0C0C0},
    {"clred", 0x0000FF},
    {"cllime", 0x00FF00},
    {"clyellow", 0x00FFFF},
    {"clblue", 0xFF0000},
    {"clfuchsia", 0xFF00FF},
    {"claqua", 0xFFFF00},
    {"clwhite", 0xFFFFFF},
    {"clscrollbar", kSystemColorFlag | 0},
    {"clbackground", kSystemColorFlag | 1},
    {"clactivecaption", kSystemColorFlag | 2},
    {"clinactivecaption", kSystemColorFlag | 3},
    {"clmenu", kSystemColorFlag | 4},
    {"clwindow", kSystemColorFlag | 5},
    {"clwindowframe", kSystemColorFlag | 6},
    {"clmenutext", kSystemColorFlag | 7},
    {"clwindowtext", kSystemColorFlag | 8},
    {"clcaptiontext", kSystemColorFlag | 9},
    {"clactiveborder", kSystemColorFlag | 10},
    {"clinactiveborder", kSystemColorFlag | 11},
    {"clappworkspace", kSystemColorFlag | 12},
    {"clhighlight", kSystemColorFlag | 13},
    {"clhighlighttext", kSystemColorFlag | 14},
    {"clbtnface", kSystemColorFlag | 15},
    {"clbtnshadow", kSystemColorFlag | 16},
    {"clgraytext", kSystemColorFlag | 17},
    {"clbtntext", kSystemColorFlag | 18},
    {"clinactivecaptiontext", kSystemColorFlag | 19},
    {"clbtnhighlight", kSystemColorFlag | 20},
    {"cl3ddkshadow", kSystemColorFlag | 21},
    {"cl3dlight", kSystemColorFlag | 22},
    {"clinfotext", kSystemColorFlag | 23},
    {"clinfobk", kSystemColorFlag | 24},
    {"clhotlight", kSystemColorFlag | 26},
    {"clgradientactivecaption", kSystemColorFlag | 27},
    {"clgradientinactivecaption", kSystemColorFlag | 28},
    {"clmenuhighlight", kSystemColorFlag | 29},
    {"clmenubar", kSystemColorFlag | 30},
}};

QColor fromBgr(TColor bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QColor systemColor(unsigned index, const QPalette& p)
{
    switch (index) {
    case 0:  // scroll bar
    case 10: // active border
    case 11: // inactive border
    case 15: // button face
        return p.color(QPalette::Button);
    case 1: // desktop
        return fromBgr(0x000000);
    case 2:  // active caption
    case 13: // highlight
    case 29: // menu highlight
        return p.color(QPalette::Highlight);
    case 3:  // inactive caption
    case 12: // application workspace
        return p.color(QPalette::Mid);
    case 4:  // menu
    case 30: // menu bar
        return p.color(QPalette::Window);
    case 5: // window
        return p.color(QPalette::Base);
    case 6:  // window frame
    case 7:  // menu text
    case 19: // inactive caption text
        return p.color(QPalette::WindowText);
    case 8: // window text
        return p.color(QPalette::Text);
    case 9:  // caption text
    case 14: // highlight text
        return p.color(QPalette::HighlightedText);
    case 16: // button shadow
        return p.color(QPalette::Dark);
    case 17: // grey text
        return p.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return p.color(QPalette::ButtonText);
    case 20: // button highlight
        return p.color(QPalette::Light);
    case 21: // 3-D dark shadow
        return p.color(QPalette::Shadow);
    case 22: // 3-D light
        return p.color(QPalette::Midlight);
    case 23: // tool tip text
        return p.color(QPalette::ToolTipText);
    case 24: // tool tip background
        return p.color(QPalette::ToolTipBase);
    case 26: // hot-tracked item
        return p.color(QPalette::Link);
    case 27: // gradient of the active caption
        return fromBgr(0xEAD1B9);
    case 28: // gradient of the inactive caption
        return fromBgr(0xF2E4D7);
    default:
        return fromBgr(0x000000);
    }
}

} // namespace

QColor colorFromTColor(TColor color, const QPalette& palette)
{
    if ((color & 0xFF000000) == kSystemColorFlag)
        return systemColor(color & 0xFF, palette);
    return fromBgr(color & 0xFFFFFF);
}

std::optional<TColor> colorFromName(std::string_view lowerCaseName)
{
    for (const NamedColor& named : kNames)
        if (named.name == lowerCaseName)
            return named.color;
    return std::nullopt;
}

QColor toQColor(TColor color)
{
    return colorFromTColor(color, QGuiApplication::palette());
}
