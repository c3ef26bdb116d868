#include "runtime/utf8_text.h"

Utf8Character utf8CharacterAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return {lead, 1};
    // The lead byte tells the length; an overlong form of a smaller code is no UTF-8.
    struct Form {
        unsigned char mask, bits;
        std::size_t length;
        char32_t lowest;
    };
    static constexpr Form kForms[] = {
        {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    std::size_t length = 0;
    char32_t lowest = 0;
    for (const Form& form : kForms)
        if ((lead & form.mask) == form.bits) {
            length = form.length;
            lowest = form.lowest;
        }
    if (length == 0 || at + length > text.size())
        return {};
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(at + k) & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (byte(at + k) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < lowest || code > 0x10FFFF || surrogate)
        return {};
    return {code, length};
}
