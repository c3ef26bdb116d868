#include "figures_text.h"

#include <cstdio>

namespace
{

// The length of the UTF-8 sequence starting at text[i], 0 when it is not one.
std::size_t utf8SequenceLength(const std::string& text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    // The lead byte tells the length; an overlong form of a smaller code is no UTF-8.
    struct Form {
        unsigned char mask, bits;
        std::size_t length;
        std::uint32_t lowest;
    };
    static constexpr Form kForms[] = {
        {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    std::size_t length = 0;
    std::uint32_t lowest = 0;
    for (const Form& form : kForms)
        if ((lead & form.mask) == form.bits) {
            length = form.length;
            lowest = form.lowest;
        }
    if (length == 0)
        return 0;
    if (i + length > text.size())
        return 0;
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < lowest || code > 0x10FFFF || surrogate ? 0 : length;
}

std::string positions(const StockFigures& figures)
{
    std::string list;
    for (const std::uint64_t position : figures.firstBlankNames)
        list += (list.empty() ? "" : ", ") + std::to_string(position);
    if (figures.blankNames > figures.firstBlankNames.size())
        list += ", …";
    return list;
}

std::string plural(std::uint64_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string jsonString(const std::string& utf8)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = utf8SequenceLength(utf8, i);
        if (length == 0) {
            out += "\\ufffd";
            ++i;
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
            ++i;
        } else {
            out.append(utf8, i, length);
            i += length;
        }
    }
    return out + "\"";
}

std::string figuresText(const std::string& displayName, const StockFigures& figures)
{
    std::string text = displayName + "\n";
    text += "  size         " + plural(figures.size, "byte", "bytes") + ": " +
            plural(figures.records, "whole record", "whole records");
    text += figures.tail == 0
                ? ", no torn tail\n"
                : " and a torn tail of " + plural(figures.tail, "byte", "bytes") + "\n";
    text += "  blank names  " +
            (figures.blankNames == 0
                 ? std::string("none")
                 : plural(figures.blankNames, "record", "records") + ": " + positions(figures)) +
            "\n";
    text += "  intelligent  takes " + plural(figures.intelligentRecords, "record", "records");
    text += figures.stopsAtThirdBlankName
                ? ", up to the third blank name at " + std::to_string(figures.intelligentRecords)
                : ", up to the end of the file";
    text += "\n  counted      takes at most " + plural(figures.countedMax(), "record", "records") +
            " without \"Read beyond end of file\"\n";
    return text;
}

std::string figuresJson(const std::string& displayName, const StockFigures& figures)
{
    std::string first;
    for (const std::uint64_t position : figures.firstBlankNames)
        first += (first.empty() ? "" : ",") + std::to_string(position);
    return "{\"file\":" + jsonString(displayName) + ",\"size\":" + std::to_string(figures.size) +
           ",\"records\":" + std::to_string(figures.records) +
           ",\"tail\":" + std::to_string(figures.tail) +
           ",\"blank_names\":{\"count\":" + std::to_string(figures.blankNames) + ",\"first\":[" +
           first +
           "]},\"intelligent_scan\":{\"records\":" + std::to_string(figures.intelligentRecords) +
           ",\"stops_at\":\"" +
           (figures.stopsAtThirdBlankName ? "third_blank_name" : "end_of_file") +
           "\"},\"counted_scan_max\":" + std::to_string(figures.countedMax()) + "}";
}

std::string figuresErrorJson(const std::string& displayName, std::uint32_t code,
                             const std::string& message)
{
    return "{\"file\":" + jsonString(displayName) + ",\"error\":{\"code\":" + std::to_string(code) +
           ",\"message\":" + jsonString(message) + "}}";
}
