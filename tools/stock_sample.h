#pragma once

#include "stock/stock_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

// Sample stock files for people, tests and benchmarks: records with Polish product texts in
// Windows-1250 and random bytes everywhere else, reproducible from a seed.

// The most text a sample record puts in text fields 1 to 5: each field's room, and for
// field 5 the most its length byte can say.
inline constexpr std::array<std::size_t, kTextFieldCount> kSampleTextRooms = {31, 31, 12, 10, 255};

// One record: random bytes, then product name, unit, code, price and description written over
// them. A blank-name record gets a text field 1 that is empty or holds only bytes 0..32.
StockRecord sampleRecord(std::mt19937_64& random, bool blankName);

struct SampleOptions {
    std::uint64_t records = 0;
    // 1-based record numbers that are blank-name records; every other record has a name.
    std::vector<std::uint64_t> blankPositions;
    // Random bytes after the last whole record, an incomplete record: 0 to 462.
    std::size_t tailBytes = 0;
    std::uint64_t seed = 1;
};

// Throws std::invalid_argument for a blank position outside 1..records or a tail of a whole
// record or more.
void validateSampleOptions(const SampleOptions& options);

// records × 463 + tailBytes.
std::uint64_t sampleFileSize(const SampleOptions& options);

// The whole file in memory, for small files.
std::vector<std::uint8_t> sampleBytes(const SampleOptions& options);

// Creates or replaces the file; the same bytes as sampleBytes. Throws std::runtime_error
// naming the file when it cannot be written.
void writeSampleFile(const std::string& path, const SampleOptions& options);
