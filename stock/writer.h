#pragma once

#include "runtime/os_file.h"
#include "stock/repair_inputs.h"

#include <cstdint>
#include <string>

// The work of "Zapisz" once the operator has confirmed an output name: opens the stock file,
// creates (or empties) the output file, scans the stock file by the selected method and copies
// every record taken, byte for byte. k records taken give exactly k × 463 bytes. A failure
// part-way leaves what was written; both files are closed on every path, the stock file first.
//
// An output name that designates the stock file itself (by device and inode: relative paths,
// symbolic and hard links included) is refused before anything is created or truncated.
// Returns the number of records written.
std::uint64_t writeRepairedFile(const RepairInputs& inputs, const std::string& outputName,
                                OsFileApi& os = systemFileApi());
