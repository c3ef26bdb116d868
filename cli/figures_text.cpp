#include "cli/figures_text.h"

#include "runtime/utf8_text.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace
{

using Json = nlohmann::ordered_json;

// Rebuilds text sequence by sequence: whole sequences through keep, a byte that starts none
// through bad.
template <typename Keep, typename Bad>
std::string mapSequences(const std::string& text, Keep keep, Bad bad)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8CharacterAt(text, i).length;
        if (length == 0) {
            out += bad(static_cast<unsigned char>(text[i]));
            ++i;
        } else {
            out += keep(std::string_view(text).substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string hexByte(unsigned char byte, const char* format)
{
    char text[8];
    std::snprintf(text, sizeof text, format, byte);
    return text;
}

bool isUtf8(const std::string& text)
{
    bool valid = true;
    mapSequences(
        text, [](std::string_view) { return std::string(); },
        [&](unsigned char) {
            valid = false;
            return std::string();
        });
    return valid;
}

// "file" holds the name, or where it is no UTF-8 the name with U+FFFD for each stray byte and
// "file_hex" its bytes, so two such names stay apart.
void putName(Json& object, const std::string& name)
{
    if (isUtf8(name)) {
        object["file"] = name;
        return;
    }
    object["file"] = mapSequences(
        name, [](std::string_view sequence) { return std::string(sequence); },
        [](unsigned char) { return std::string("\xEF\xBF\xBD"); });
    std::string hex;
    for (const char c : name)
        hex += hexByte(static_cast<unsigned char>(c), "%02x");
    object["file_hex"] = hex;
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

std::string shownName(const std::string& name)
{
    return mapSequences(
        name,
        [](std::string_view sequence) {
            const auto lead = static_cast<unsigned char>(sequence[0]);
            const bool c0 = lead < 0x20 || lead == 0x7F;
            // U+0080..U+009F: a terminal takes U+009B as the start of a command, as ESC [.
            const bool c1 = lead == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
            if (!c0 && !c1)
                return std::string(sequence);
            std::string escaped;
            for (const char c : sequence)
                escaped += hexByte(static_cast<unsigned char>(c), "\\x%02x");
            return escaped;
        },
        [](unsigned char byte) { return hexByte(byte, "\\x%02x"); });
}

std::string figuresText(const std::string& name, const StockFigures& figures)
{
    std::string text = shownName(name) + "\n";
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

std::string figuresJson(const std::string& name, const StockFigures& figures)
{
    Json object;
    putName(object, name);
    object["size"] = figures.size;
    object["records"] = figures.records;
    object["tail"] = figures.tail;
    object["blank_names"] = {{"count", figures.blankNames}, {"first", figures.firstBlankNames}};
    object["intelligent_scan"] = {
        {"records", figures.intelligentRecords},
        {"stops_at", figures.stopsAtThirdBlankName ? "third_blank_name" : "end_of_file"}};
    object["counted_scan_max"] = figures.countedMax();
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string figuresErrorJson(const std::string& name, std::uint32_t code,
                             const std::string& message)
{
    Json object;
    putName(object, name);
    object["error"] = {{"code", code}, {"message", message}};
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}
