#pragma once

#include "runtime/os_file.h"

#include <cstdint>
#include <string>
#include <vector>

// What a stock file holds, as the scans see it: the window's intelligent-scan rule over the
// file's whole records, so the figures are the records the repair takes. The file is opened for
// reading only, so a read-only file or medium is inspected too.
struct StockFigures {
    // Blank-name positions listed beside their count.
    static constexpr std::size_t kListedBlankNames = 10;

    std::uint64_t size = 0;
    std::uint64_t records = 0; // whole records: size div 463
    std::uint64_t tail = 0;    // bytes of a torn last record: size mod 463
    std::uint64_t blankNames = 0;
    std::vector<std::uint64_t> firstBlankNames; // 1-based, at most kListedBlankNames
    std::uint64_t intelligentRecords = 0;
    bool stopsAtThirdBlankName = false; // otherwise at the end of the file
    // The largest count the counted scan reads without "Read beyond end of file".
    std::uint64_t countedMax() const { return records; }
};

// Throws EInOutError as the window's preview would (open, read).
StockFigures inspectStockFile(const std::string& name, OsFileApi& os = systemFileApi());
