#pragma once

#include <cstddef>
#include <string_view>

// UTF-8 as the tool reads it: well-formed sequences only. An overlong form (C0 AF for "/"), a
// surrogate, a code above U+10FFFF, a cut sequence and a stray byte are no character, so a
// file name or a text has one spelling and no second one that slips past a check.
struct Utf8Character {
    char32_t code = 0;
    std::size_t length = 0; // in bytes; 0 when the byte at the position starts no character
};

// The character whose sequence starts at text[at] (at < text.size()).
Utf8Character utf8CharacterAt(std::string_view text, std::size_t at);
