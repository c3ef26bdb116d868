#pragma once

#include <cstdint>
#include <string>

// The integer rule of the count text: leading spaces (byte 32 only), then "+"/"-" and decimal
// digits, or a hexadecimal prefix ("$", "x", "X", "0x", "0X") and hex digits taken as 32-bit
// two's complement, and nothing after. Throws EConvertError "'%s' is not a valid integer value"
// with the whole text.
std::int32_t strToInt(const std::string& text);

// The same rule without the error: false when the text does not convert.
bool tryStrToInt(const std::string& text, std::int32_t& value);

// The value of a hexadecimal digit 0-9, a-f, A-F; -1 for any other character.
int hexDigitValue(char c);
