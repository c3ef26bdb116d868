#include "stock/stock_record.h"

#include <cassert>

namespace
{

const std::uint8_t* fieldBytes(const StockRecord& record, int field, std::size_t& length)
{
    assert(field >= 1 && field <= kTextFieldCount);
    const std::size_t offset = kTextFieldOffsets[static_cast<std::size_t>(field - 1)];
    length = record[offset];
    return record.data() + offset + 1;
}

} // namespace

std::string fieldText(const StockRecord& record, int field)
{
    return std::string(fieldView(record, field));
}

std::string_view fieldView(const StockRecord& record, int field)
{
    std::size_t length = 0;
    const std::uint8_t* bytes = fieldBytes(record, field, length);
    return {reinterpret_cast<const char*>(bytes), length};
}

bool isBlankName(std::span<const std::uint8_t, kStockRecordSize> record)
{
    const std::size_t offset = kTextFieldOffsets[0];
    for (const std::uint8_t byte : record.subspan(offset + 1, record[offset]))
        if (byte > 32)
            return false;
    return true;
}
