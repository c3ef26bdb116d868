#pragma once

#include <cstdint>
#include <string>

// Time and memory of the preview of a stock file into the grid's cell store, next to the
// scan alone and to the memory budget of 3 × text bytes + 100 bytes per row.
void printPreviewFigures(const std::string& stockFile, std::uint64_t records);
