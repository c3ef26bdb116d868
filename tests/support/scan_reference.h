#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The repair rules told again from nothing but a file's bytes, deliberately plainly and apart
// from the tool's own code, so that tests and fuzz targets can hold the tool against them.

// The integer rule of the count text; nothing when the text does not convert.
std::optional<std::int32_t> referenceInteger(std::string_view text);

// Text field 1..5 of the record starting at `record` (463 bytes).
std::string referenceFieldText(std::string_view record, int field);
bool referenceBlankName(std::string_view record);

// What a scan of the file takes: the first `taken` whole records, then the message it ends
// with (empty when it ends normally).
struct ReferenceScan {
    std::size_t taken = 0;
    std::string message;
    // The counted scan's N when the text converted to 1 or more, else 0.
    std::int64_t count = 0;
};
ReferenceScan referenceIntelligentScan(std::string_view file);
ReferenceScan referenceCountedScan(std::string_view file, std::string_view countText);
