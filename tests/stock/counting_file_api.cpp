#include "tests/stock/counting_file_api.h"

#include <algorithm>

int CountingFileApi::count(Op op) const
{
    return static_cast<int>(
        std::count_if(calls_.begin(), calls_.end(), [op](const Call& c) { return c.op == op; }));
}

std::string CountingFileApi::pattern() const
{
    static const char letters[] = "OPZRWC";
    std::string s;
    for (const Call& c : calls_)
        s += letters[static_cast<int>(c.op)];
    return s;
}

std::uint32_t CountingFileApi::record(Op op, OsHandle handle, std::uint32_t count)
{
    calls_.push_back({op, handle, count});
    const auto it = faults_.find({op, this->count(op)});
    return it == faults_.end() ? 0 : it->second;
}

OsOpenResult CountingFileApi::open(const std::string& name, OsDisposition disposition)
{
    if (const std::uint32_t fault = record(Op::Open, kNoHandle))
        return {kNoHandle, fault};
    const OsOpenResult r = real_.open(name, disposition);
    calls_.back().handle = r.handle;
    if (r.error == 0)
        open_.insert(r.handle);
    return r;
}

OsQueryResult CountingFileApi::position(OsHandle handle)
{
    if (const std::uint32_t fault = record(Op::Position, handle))
        return {0, fault};
    return real_.position(handle);
}

OsQueryResult CountingFileApi::size(OsHandle handle)
{
    if (const std::uint32_t fault = record(Op::Size, handle))
        return {0, fault};
    return real_.size(handle);
}

OsTransferResult CountingFileApi::read(OsHandle handle, void* buffer, std::uint32_t count)
{
    if (const std::uint32_t fault = record(Op::Read, handle, count))
        return {0, fault};
    return real_.read(handle, buffer, count);
}

OsTransferResult CountingFileApi::write(OsHandle handle, const void* buffer, std::uint32_t count)
{
    if (const std::uint32_t fault = record(Op::Write, handle, count))
        return {0, fault};
    const auto shortWrite = shortWrites_.find(this->count(Op::Write));
    if (shortWrite != shortWrites_.end())
        count = std::min(count, shortWrite->second);
    return real_.write(handle, buffer, count);
}

bool CountingFileApi::close(OsHandle handle)
{
    const bool refused = record(Op::Close, handle) != 0;
    open_.erase(handle);
    const bool closed = real_.close(handle);
    return closed && !refused;
}

std::optional<OsFileIdentity> CountingFileApi::identity(OsHandle handle)
{
    return real_.identity(handle);
}

std::optional<OsFileIdentity> CountingFileApi::identity(const std::string& name)
{
    return real_.identity(name);
}
