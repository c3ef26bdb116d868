#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The tool's OEM code page, the Polish DOS code page 852. Text is never kept in it: a field
// with OEM conversion sends each typed character through it and back to the ANSI code page
// (Windows-1250), so that only what both code pages hold survives.

// The character a byte stands for. Bytes below 0x80 are ASCII, control characters included.
char32_t oemToUnicode(std::uint8_t byte);

// The byte of a character, or '?' when the code page cannot hold it.
std::uint8_t unicodeToOem(char32_t ch);

// Windows-1250 bytes to code page 852 bytes and back; a character the target cannot hold
// becomes '?'.
std::string ansiToOem(std::string_view ansi);
std::string oemToAnsi(std::string_view oem);

// What a typed character becomes on its way ANSI -> OEM -> ANSI: itself when both code pages
// hold it, '?' otherwise (a character outside the ANSI code page is '?' from the start).
char32_t oemRoundTrip(char32_t ch);
