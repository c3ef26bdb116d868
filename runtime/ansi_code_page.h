#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The tool's ANSI code page, Windows-1250 (Polish). Record texts stay bytes everywhere; these
// conversions are for the places that draw or type them.

// The character a byte stands for. The five bytes the code page leaves undefined stand for
// the control character of the same value, as Windows' own conversion gives.
char32_t ansiToUnicode(std::uint8_t byte);

// The byte of a character, or '?' when the code page cannot hold it.
std::uint8_t unicodeToAnsi(char32_t ch);

std::string utf8FromAnsi(std::string_view ansi);
// Characters the code page cannot hold become '?', and so does each byte that is no UTF-8
// (utf8_text.h: overlong forms and surrogates included).
std::string ansiFromUtf8(std::string_view utf8);
