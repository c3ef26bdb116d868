#pragma once

#include "cli/stock_figures.h"

#include <string>

// The figures of one stock file for a person: a few lines, the first naming the file.
std::string figuresText(const std::string& name, const StockFigures& figures);

// The same figures as one JSON object on one line, for scripts:
// {"file":…,"size":…,"records":…,"tail":…,"blank_names":{"count":…,"first":[…]},
//  "intelligent_scan":{"records":…,"stops_at":"third_blank_name"|"end_of_file"},
//  "counted_scan_max":…}
// A name that is not UTF-8 comes with its bytes beside it: "file_hex":"7ab3792e72656b".
std::string figuresJson(const std::string& name, const StockFigures& figures);

// A file that could not be inspected, as one JSON object: {"file":…,"error":{"code":…,
// "message":…}}; code is the I/O error's, 0 for any other error.
std::string figuresErrorJson(const std::string& name, std::uint32_t code,
                             const std::string& message);

// A file name (UTF-8, or any bytes on POSIX) as a terminal may safely show it: control
// characters (C0, DEL, C1) and bytes that are no UTF-8 as \xHH, everything else as it is.
std::string shownName(const std::string& name);
