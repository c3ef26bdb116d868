#include "stock/record_file.h"

#include "runtime/exceptions.h"

#include <cassert>

namespace
{

std::size_t characterCount(const std::string& utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace

TRecordFile::~TRecordFile()
{
    if (open_ && !standard_)
        os_.close(handle_);
}

void TRecordFile::start(const std::string& name, OsDisposition disposition)
{
    assert(!open_);
    if (name.empty()) {
        // An empty name stands for a standard stream, and a windowed process has none: the
        // handle stays empty, never the process's real streams, and its first use fails as
        // the system's invalid-handle error.
        handle_ = kNoHandle;
        standard_ = true;
        open_ = true;
        return;
    }
    if (characterCount(name) >= kMaxNameLength)
        throw EInOutError(io_code::kPathNotFound);
    const OsOpenResult result = os_.open(name, disposition);
    if (result.error != 0)
        throw EInOutError(result.error);
    handle_ = result.handle;
    standard_ = false;
    open_ = true;
}

void TRecordFile::open(const std::string& name)
{
    start(name, OsDisposition::OpenExisting);
}

void TRecordFile::openForReading(const std::string& name)
{
    start(name, OsDisposition::OpenForReading);
}

void TRecordFile::create(const std::string& name)
{
    start(name, OsDisposition::CreateAlways);
}

bool TRecordFile::atEnd()
{
    const OsQueryResult pos = os_.position(handle_);
    if (pos.error != 0)
        throw EInOutError(pos.error);
    const OsQueryResult size = os_.size(handle_);
    if (size.error != 0)
        throw EInOutError(size.error);
    return pos.value / kStockRecordSize >= size.value / kStockRecordSize;
}

void TRecordFile::read(StockRecord& record)
{
    const OsTransferResult r = os_.read(handle_, record.data(), kStockRecordSize);
    if (r.error != 0)
        throw EInOutError(r.error);
    if (r.bytes < kStockRecordSize)
        throw EInOutError(io_code::kReadBeyondEnd);
}

void TRecordFile::write(const StockRecord& record)
{
    const OsTransferResult r = os_.write(handle_, record.data(), kStockRecordSize);
    if (r.error != 0)
        throw EInOutError(r.error);
    if (r.bytes < kStockRecordSize)
        throw EInOutError(io_code::kDiskFull);
}

void TRecordFile::close()
{
    if (!open_)
        return;
    open_ = false;
    if (standard_)
        return;
    if (!os_.close(handle_))
        throw EInOutError(io_code::kCloseRefused);
}
