#pragma once

#include "runtime/os_file.h"
#include "stock/stock_record.h"

#include <string>

// A stock file or repaired stock file while it is open for record-by-record access.
// Unbuffered: every read and write is one request of exactly 463 bytes, and every end-of-file
// test asks the system for the position and the size; nothing is cached. Every failure throws
// EInOutError with the system's code, or 100 (short read), 101 (short write), 1 (close refused).
//
// The destructor closes a file still open and ignores the system's answer, so a failure part-way
// leaves no handle behind; the normal path calls close() to hear a refusal.
class TRecordFile
{
public:
    // File names of this many characters or more are refused (with code 3) before any file is
    // touched.
    static constexpr std::size_t kMaxNameLength = 260;

    explicit TRecordFile(OsFileApi& os = systemFileApi()) : os_(os) {}
    ~TRecordFile();
    TRecordFile(const TRecordFile&) = delete;
    TRecordFile& operator=(const TRecordFile&) = delete;

    // Opens an existing file for reading and writing, at record 0. An empty name opens nothing:
    // the first end-of-file test or read then fails with code 6.
    void open(const std::string& name);
    // Opens an existing file for reading only, at record 0: for whoever only reads, a read-only
    // file opens too. An empty name opens nothing, as above.
    void openForReading(const std::string& name);
    // Creates the file, or empties an existing one at once.
    void create(const std::string& name);

    // True when position div 463 >= size div 463: an incomplete last record never counts.
    bool atEnd();
    void read(StockRecord& record);
    void write(const StockRecord& record);
    void close();

    bool isOpen() const { return open_; }
    // The system's handle, kNoHandle for an empty name.
    OsHandle handle() const { return handle_; }

private:
    void start(const std::string& name, OsDisposition disposition);

    OsFileApi& os_;
    OsHandle handle_ = kNoHandle;
    bool open_ = false;
    bool standard_ = false;
};
