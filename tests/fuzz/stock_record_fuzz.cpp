// A stock record's field texts: each is its length byte's count of the bytes after it, running
// on into the next fields but never out of the record, held against the plain reference; and
// a blank name is one whose text holds no byte above 32.

#include "stock/stock_record.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/scan_reference.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Short inputs are padded with zero bytes, so the interesting bytes can stay few.
    StockRecord record{};
    std::memcpy(record.data(), data, std::min(size, record.size()));
    const std::string_view bytes(reinterpret_cast<const char*>(record.data()), record.size());

    for (int field = 1; field <= kTextFieldCount; ++field) {
        const std::size_t at = kTextFieldOffsets[static_cast<std::size_t>(field - 1)];
        const std::string text = fieldText(record, field);
        FUZZ_CHECK(text.size() == record[at]);
        FUZZ_CHECK(at + 1 + text.size() <= 349);
        FUZZ_CHECK(text == referenceFieldText(bytes, field));
    }
    FUZZ_CHECK(isBlankName(record) == referenceBlankName(bytes));
    return 0;
}
