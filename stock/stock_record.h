#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A stock record: 463 bytes, of which only five length-prefixed text fields are read. Every
// other byte is carried through unchanged.
inline constexpr std::size_t kStockRecordSize = 463;
using StockRecord = std::array<std::uint8_t, kStockRecordSize>;

inline constexpr int kTextFieldCount = 5;

// Offset of the length byte of text field 1 to 5.
inline constexpr std::array<std::size_t, kTextFieldCount> kTextFieldOffsets = {5, 37, 69, 82, 93};

// The text of field 1..5: the bytes after the length byte, as many as it says (0 to 255),
// exactly as stored. A length beyond the field's room runs on into the following fields;
// the last text ends at offset 348 at the latest, so it never leaves the record.
std::string fieldText(const StockRecord& record, int field);
// The same bytes, seen in the record.
std::string_view fieldView(const StockRecord& record, int field);

// Text field 1 empty once every byte 0..32 is trimmed from both ends. Takes a record where it
// lies, in a record buffer or inside a block of many.
bool isBlankName(std::span<const std::uint8_t, kStockRecordSize> record);
