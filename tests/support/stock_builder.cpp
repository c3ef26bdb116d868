#include "tests/support/stock_builder.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr std::size_t kRooms[kTextFieldCount] = {31, 31, 12, 10, 369};
}

void setRawField(StockRecord& record, int field, std::uint8_t length, const std::string& bytes)
{
    const std::size_t offset = kTextFieldOffsets[static_cast<std::size_t>(field - 1)];
    record[offset] = length;
    const std::size_t n = std::min(bytes.size(), kStockRecordSize - offset - 1);
    std::memcpy(record.data() + offset + 1, bytes.data(), n);
}

StockRecord makeRecord(const std::vector<std::string>& texts, unsigned seed)
{
    StockRecord r;
    for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = static_cast<std::uint8_t>((i * 131 + seed * 7 + 3) & 0xFF);
    for (int f = 1; f <= kTextFieldCount; ++f) {
        std::string t = static_cast<std::size_t>(f) <= texts.size() ? texts[f - 1] : std::string();
        t.resize(std::min(t.size(), kRooms[f - 1]));
        setRawField(r, f, static_cast<std::uint8_t>(t.size()), t);
    }
    return r;
}

std::string recordBytes(const StockRecord& record)
{
    return std::string(reinterpret_cast<const char*>(record.data()), record.size());
}

std::string stockFileBytes(int count, const std::vector<int>& blanks, int tail)
{
    std::string bytes;
    for (int i = 1; i <= count; ++i) {
        const bool blank = std::find(blanks.begin(), blanks.end(), i) != blanks.end();
        const std::string name = blank ? std::string("  ") : "Towar " + std::to_string(i);
        bytes += recordBytes(makeRecord(
            {name, "szt.", "K-" + std::to_string(i), "12,50", "Opis " + std::to_string(i)},
            static_cast<unsigned>(i)));
    }
    for (int i = 0; i < tail; ++i)
        bytes += static_cast<char>(0xA5 ^ i);
    return bytes;
}
