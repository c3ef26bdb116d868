#pragma once

#include <array>
#include <cstdint>

// A single-byte code page: ASCII below 0x80, one table of characters for the bytes above.
class SingleByteCodePage
{
public:
    using HighHalf = std::array<char16_t, 128>;

    constexpr explicit SingleByteCodePage(const HighHalf& high) : high_(high) {}

    constexpr char32_t toUnicode(std::uint8_t byte) const
    {
        return byte < 0x80 ? char32_t(byte) : char32_t(high_[byte - 0x80]);
    }

    // The byte of a character, or '?' when the code page cannot hold it.
    constexpr std::uint8_t fromUnicode(char32_t ch) const
    {
        if (ch < 0x80)
            return static_cast<std::uint8_t>(ch);
        for (std::size_t i = 0; i < high_.size(); ++i)
            if (high_[i] == ch)
                return static_cast<std::uint8_t>(0x80 + i);
        return '?';
    }

private:
    const HighHalf& high_;
};
