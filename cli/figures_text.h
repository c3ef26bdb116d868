#pragma once

#include "stock_figures.h"

#include <string>

// The figures of one stock file for a person: a few lines, the first naming the file.
std::string figuresText(const std::string& displayName, const StockFigures& figures);

// The same figures as one JSON object on one line, for scripts:
// {"file":…,"size":…,"records":…,"tail":…,"blank_names":{"count":…,"first":[…]},
//  "intelligent_scan":{"records":…,"stops_at":"third_blank_name"|"end_of_file"},
//  "counted_scan_max":…}
std::string figuresJson(const std::string& displayName, const StockFigures& figures);

// A file that could not be inspected, as one JSON object: {"file":…,"error":{"code":…,
// "message":…}}; code is the I/O error's, 0 for any other error.
std::string figuresErrorJson(const std::string& displayName, std::uint32_t code,
                             const std::string& message);

// A JSON string literal of UTF-8 text; a byte that is not UTF-8 becomes U+FFFD.
std::string jsonString(const std::string& utf8);
