#pragma once

#include "runtime/exceptions.h"
#include "runtime/os_file.h"

#include <cstdint>
#include <optional>
#include <string>

// The companion's repair: the records the window's writer would write, byte for byte, at the
// speed of a copy. The stock file is read once in large blocks to find where the scan ends
// (the counted scan needs no reading for that), then that many records are copied in one go
// into a new file beside OUTPUT, which takes OUTPUT's name only once complete. On any failure
// an existing OUTPUT is as it was and nothing new is left behind.
struct RepairRequest {
    std::string stock;
    std::string output;
    std::optional<std::int32_t> count; // the counted scan's N; the intelligent scan without one
    bool replace = false;              // an existing OUTPUT gives way
};

// A failure that belongs to one of the two files, with the window's message for it.
class FileFailure : public Exception
{
public:
    FileFailure(std::string file, const Exception& error)
        : Exception(error.message()), file_(std::move(file))
    {
    }
    const std::string& file() const { return file_; }

private:
    std::string file_;
};

// OUTPUT is taken, and the request does not replace it.
class OutputExists : public Exception
{
public:
    OutputExists() : Exception("exists") {}
};

// Returns the number of records written. Throws FileFailure, or OutputExists. The stock file is
// opened through os, which must hand out the system's own handles (systemFileApi() or a
// stand-in passing calls on to it).
std::uint64_t repairStockFile(const RepairRequest& request, OsFileApi& os = systemFileApi());
