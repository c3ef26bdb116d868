#pragma once

#include "runtime/os_file.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// A stand-in for the OS file layer that passes every call to the real one and records it, so a
// test can see the exact pattern of requests, which handles are still open, and can make a
// chosen call fail.
class CountingFileApi final : public OsFileApi
{
public:
    enum class Op { Open, Position, Size, Read, Write, Close };

    struct Call {
        Op op;
        OsHandle handle;
        std::uint32_t count; // bytes asked for, for read and write
    };

    // Makes the n-th call (1-based) of op fail with the Windows code; for Close, code is ignored.
    void failOn(Op op, int nth, std::uint32_t code) { faults_[{op, nth}] = code; }
    // Makes the n-th write store only this many bytes.
    void shortWriteOn(int nth, std::uint32_t bytes) { shortWrites_[nth] = bytes; }

    const std::vector<Call>& calls() const { return calls_; }
    int count(Op op) const;
    const std::set<OsHandle>& openHandles() const { return open_; }
    // Calls as letters: O open, P position, Z size, R read, W write, C close.
    std::string pattern() const;

    OsOpenResult open(const std::string& name, OsDisposition disposition) override;
    OsQueryResult position(OsHandle handle) override;
    OsQueryResult size(OsHandle handle) override;
    OsTransferResult read(OsHandle handle, void* buffer, std::uint32_t count) override;
    OsTransferResult write(OsHandle handle, const void* buffer, std::uint32_t count) override;
    bool close(OsHandle handle) override;
    std::optional<OsFileIdentity> identity(OsHandle handle) override;
    std::optional<OsFileIdentity> identity(const std::string& name) override;

private:
    std::uint32_t record(Op op, OsHandle handle, std::uint32_t count = 0);

    OsFileApi& real_ = systemFileApi();
    std::vector<Call> calls_;
    std::map<std::pair<Op, int>, std::uint32_t> faults_;
    std::map<int, std::uint32_t> shortWrites_;
    std::set<OsHandle> open_;
};
