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

void TRecordFile::start(const std::string& name, OsDisposition disposition, OsStandardStream stream)
{
    assert(!open_);
    if (name.empty()) {
        // A windowed process has no standard streams: the handle stays empty, and the first
        // use of it fails as the system's invalid-handle error.
        handle_ = os_.standardHandle(stream);
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
    start(name, OsDisposition::OpenExisting, OsStandardStream::Input);
}

void TRecordFile::openForReading(const std::string& name)
{
    start(name, OsDisposition::OpenForReading, OsStandardStream::Input);
}

void TRecordFile::create(const std::string& name)
{
    start(name, OsDisposition::CreateAlways, OsStandardStream::Output);
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
