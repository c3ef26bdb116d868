#pragma once

#include "runtime/os_file.h"
#include "stock/preview_grid.h"
#include "stock/repair_inputs.h"

// The work of "Czytaj": blanks the grid, opens the stock file, scans it by the selected method
// and shows text fields 1..5 of the r-th record taken in columns 1..5 of row r. The intelligent
// scan appends a row per record; the counted scan sets the row count to N + 1 at every record.
// A failure part-way leaves the rows written so far; the stock file is closed on every path.
//
// Memory: a count whose N + 1 rows the grid cannot hold is refused with ERangeError before the
// first read, so the grid never grows for it. The intelligent scan's end is not known ahead: it
// takes rows only as far as the grid last said it could hold more (asked before the first row
// and again at the latest every kPreviewRowsAhead rows); when it can hold none, the preview
// ends with ERangeError, keeping the rows taken. Memory that runs out unforeseen (the grid throws
// std::bad_alloc, having taken back the record's row) ends either scan with the same ERangeError,
// naming the records shown whole.
inline constexpr int kPreviewRowsAhead = 8192;

void previewStockFile(PreviewGrid& grid, const RepairInputs& inputs,
                      OsFileApi& os = systemFileApi());
