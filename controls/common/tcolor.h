#pragma once

#include <QColor>

#include <cstdint>
#include <optional>
#include <string_view>

class QPalette;

// A colour as the stored settings write it: 0x00BBGGRR for a colour given by red, green and
// blue, or 0x80000000 plus the index of a system colour.
using TColor = std::uint32_t;

inline constexpr TColor kSystemColorFlag = 0x80000000;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clYellow = 0x00FFFF;

// The colour a TColor stands for. System colours are taken from the palette's roles (the window
// colour is Base, the button face Button, the window-text colour Text, ...); the few with no
// role of their own get the values a freshly installed desktop shows. An unknown system index
// is black.
QColor colorFromTColor(TColor color, const QPalette& palette);
// The same against the application's palette.
QColor toQColor(TColor color);

// The colour named by its framework name in lower case ("clred", "clbtnface"): the sixteen
// standard colours and the system colours. None for any other text, other case included.
std::optional<TColor> colorFromName(std::string_view lowerCaseName);
