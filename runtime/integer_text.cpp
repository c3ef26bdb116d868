#include "runtime/integer_text.h"

#include "runtime/exceptions.h"

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool tryStrToInt(const std::string& text, std::int32_t& value)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;

    std::size_t prefix = 0;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X'))
        prefix = 1;
    else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X'))
        prefix = 2;

    if (prefix != 0) {
        i += prefix;
        if (i == n)
            return false;
        std::uint64_t v = 0;
        for (; i < n; ++i) {
            const int d = hexDigitValue(text[i]);
            if (d < 0)
                return false;
            v = v * 16 + static_cast<std::uint64_t>(d);
            if (v > 0xFFFFFFFFu)
                return false;
        }
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
        return true;
    }

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == n)
        return false;
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    std::uint64_t v = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
        if (v > limit)
            return false;
    }
    value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(v))
                     : static_cast<std::int32_t>(v);
    return true;
}

std::int32_t strToInt(const std::string& text)
{
    std::int32_t value = 0;
    if (!tryStrToInt(text, value))
        throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}
