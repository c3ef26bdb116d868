#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The operating system's file access as the record file relies on it: handles, Windows error
// codes (2 file not found, 3 path not found, 5 access denied, 6 invalid handle, ...) and one
// request per read or write. Positions and sizes are 64-bit, so large files are never misread.
//
// An implementation reports every failure as a Windows error code; 0 means success.

using OsHandle = std::int64_t;

// What the system gives instead of a file for an empty name in a windowed process: nothing.
// Every operation on it fails with the invalid-handle code 6.
inline constexpr OsHandle kNoHandle = 0;

enum class OsDisposition {
    OpenExisting,   // fail when the file does not exist
    CreateAlways,   // create, or truncate an existing file to 0 bytes
    OpenForReading, // an existing file, for reading only: a read-only file opens too
};

struct OsOpenResult {
    OsHandle handle = kNoHandle;
    std::uint32_t error = 0; // 0 when handle is a file
};

struct OsQueryResult {
    std::uint64_t value = 0;
    std::uint32_t error = 0;
};

struct OsTransferResult {
    std::uint32_t bytes = 0; // bytes moved by the one request
    std::uint32_t error = 0; // 0 when the request succeeded, whatever its count
};

// Which file a name or handle designates: two names of one file (links, relative paths)
// have the same identity.
struct OsFileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const OsFileIdentity&) const = default;
};

class OsFileApi
{
public:
    virtual ~OsFileApi() = default;

    // Opens for reading and writing (OpenForReading: reading only), shared for reading and
    // writing. A file without any write permission bit counts as read-only and is refused with
    // 5 when writing is asked, whoever asks. Only a
    // regular file opens: a folder, FIFO, socket or device is refused with 5 without blocking
    // or acting on it, and CreateAlways empties an existing file only once it is known to be a
    // regular one.
    virtual OsOpenResult open(const std::string& name, OsDisposition disposition) = 0;
    virtual OsQueryResult position(OsHandle handle) = 0;
    virtual OsQueryResult size(OsHandle handle) = 0;
    virtual OsTransferResult read(OsHandle handle, void* buffer, std::uint32_t count) = 0;
    // A file-size limit makes the write fail or store less, as a full disk does; it never ends
    // the program.
    virtual OsTransferResult write(OsHandle handle, const void* buffer, std::uint32_t count) = 0;
    // false when the system refuses to close the handle.
    virtual bool close(OsHandle handle) = 0;

    virtual std::optional<OsFileIdentity> identity(OsHandle handle) = 0;
    virtual std::optional<OsFileIdentity> identity(const std::string& name) = 0;
};

// The real file system of the system this is built for: POSIX calls (posix_file_api.h) or
// the Windows API (windows_file_api.h), chosen when building.
OsFileApi& systemFileApi();
