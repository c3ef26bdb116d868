#pragma once

#include "stock/stock_record.h"

#include <string>
#include <vector>

// A record whose five text fields hold the given texts (each within its room) and whose other
// bytes are a pattern that depends on seed, so copies can be told apart byte for byte.
StockRecord makeRecord(const std::vector<std::string>& texts, unsigned seed = 0);

// Sets the length byte of text field 1..5 and copies bytes after it, without room checks.
void setRawField(StockRecord& record, int field, std::uint8_t length, const std::string& bytes);

// The bytes of a stock file: records 1..count with non-blank names "Towar <i>", except the
// 1-based positions listed in blanks, followed by tail bytes of garbage.
std::string stockFileBytes(int count, const std::vector<int>& blanks = {}, int tail = 0);

std::string recordBytes(const StockRecord& record);
