#include "tests/support/scan_reference.h"

#include <algorithm>
#include <climits>

namespace
{
constexpr std::size_t kRecord = 463;
constexpr std::size_t kFieldOffsets[] = {5, 37, 69, 82, 93};
} // namespace

std::optional<std::int32_t> referenceInteger(std::string_view t)
{
    t.remove_prefix(std::min(t.find_first_not_of(' '), t.size()));
    int base = 10;
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"})
        if (t.starts_with(prefix)) {
            base = 16;
            t.remove_prefix(prefix.size());
            break;
        }
    const bool negative = base == 10 && t.starts_with('-');
    if (base == 10 && (t.starts_with('-') || t.starts_with('+')))
        t.remove_prefix(1);
    const std::string_view digits = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
    if (t.empty() || t.find_first_not_of(digits) != std::string_view::npos)
        return std::nullopt;
    t.remove_prefix(std::min(t.find_first_not_of('0'), t.size() - 1));
    if (t.size() > (base == 16 ? 8u : 10u))
        return std::nullopt;
    const long long v = std::stoll(std::string(t), nullptr, base) * (negative ? -1 : 1);
    if (base == 16)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    if (v < INT_MIN || v > INT_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

std::string referenceFieldText(std::string_view record, int field)
{
    const std::size_t at = kFieldOffsets[field - 1];
    return std::string(record.substr(at + 1, static_cast<unsigned char>(record[at])));
}

bool referenceBlankName(std::string_view record)
{
    const std::string name = referenceFieldText(record, 1);
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

ReferenceScan referenceIntelligentScan(std::string_view file)
{
    ReferenceScan scan;
    int blanks = 0;
    while (scan.taken < file.size() / kRecord && blanks < 3)
        blanks += referenceBlankName(file.substr(kRecord * scan.taken++, kRecord));
    return scan;
}

ReferenceScan referenceCountedScan(std::string_view file, std::string_view countText)
{
    const std::optional<std::int32_t> n = referenceInteger(countText);
    if (!n)
        return {0, "'" + std::string(countText) + "' is not a valid integer value"};
    if (*n <= 0)
        return {};
    const std::size_t whole = file.size() / kRecord;
    if (static_cast<std::size_t>(*n) > whole)
        return {whole, "Read beyond end of file", *n};
    return {static_cast<std::size_t>(*n), "", *n};
}
