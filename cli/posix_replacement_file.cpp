#include "cli/replacement_file.h"

#include "runtime/exceptions.h"
#include "runtime/posix_file_api.h"
#include "runtime/posix_interrupted.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{

[[noreturn]] void fail()
{
    throw EInOutError(windowsErrorFromErrno(errno));
}

std::string folderOf(const std::string& name)
{
    const auto slash = name.find_last_of('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// Copies with pread and write, for file systems copy_file_range does not join.
void copyInBlocks(int from, int to, off_t offset, std::uint64_t left)
{
    std::vector<char> block(1 << 20);
    while (left > 0) {
        const ssize_t n = retryInterrupted([&] {
            return ::pread(from, block.data(), std::min<std::uint64_t>(left, block.size()), offset);
        });
        if (n < 0)
            fail();
        if (n == 0)
            throw EInOutError(io_code::kReadBeyondEnd);
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = retryInterrupted(
                [&] { return ::write(to, block.data() + done, std::size_t(n - done)); });
            if (w < 0)
                fail();
            done += w;
        }
        offset += n;
        left -= std::uint64_t(n);
    }
}

} // namespace

ReplacementFile::ReplacementFile(const std::string& output, OsHandle stock) : output_(output)
{
    struct stat st {
    };
    if (::fstat(posixDescriptor(stock), &st) != 0)
        fail();
    // A name nobody else picks: taken only if free (O_EXCL), tried again if not.
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; file_ < 0; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%06x", unsigned(random() & 0xFFFFFF));
        name_ = folderOf(output) + ".naprawa-" + suffix;
        const int fd = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                              st.st_mode & 0777);
        if (fd >= 0)
            file_ = fd;
        else if (errno != EEXIST && errno != EINTR)
            throw EInOutError(errno == ENOENT ? io_code::kPathNotFound
                                              : windowsErrorFromErrno(errno));
        else if (attempt == 100)
            fail();
    }
}

ReplacementFile::~ReplacementFile()
{
    if (committed_)
        return;
    if (file_ >= 0)
        ::close(int(file_));
    ::unlink(name_.c_str());
}

void ReplacementFile::copyFrom(OsHandle stock, std::uint64_t bytes)
{
    const int from = posixDescriptor(stock);
    const int to = int(file_);
    loff_t offset = 0;
    while (std::uint64_t(offset) < bytes) {
        const ssize_t n =
            ::copy_file_range(from, &offset, to, nullptr, bytes - std::uint64_t(offset), 0);
        if (n > 0)
            continue;
        if (n == 0)
            throw EInOutError(io_code::kReadBeyondEnd);
        if (errno == EINTR)
            continue;
        // Not between these files (another file system, an old kernel): the rest in blocks.
        if (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)
            return copyInBlocks(from, to, offset, bytes - std::uint64_t(offset));
        fail();
    }
}

bool ReplacementFile::commit(bool replace)
{
    const int fd = int(file_);
    file_ = -1;
    if (::close(fd) != 0)
        fail();
    if (replace) {
        if (::rename(name_.c_str(), output_.c_str()) != 0)
            fail();
    } else if (::renameat2(AT_FDCWD, name_.c_str(), AT_FDCWD, output_.c_str(), RENAME_NOREPLACE) !=
               0) {
        if (errno == EEXIST)
            return false;
        // A file system without the flag: a link takes a free name only.
        if (errno != EINVAL && errno != ENOSYS)
            fail();
        if (::link(name_.c_str(), output_.c_str()) != 0) {
            if (errno == EEXIST)
                return false;
            fail();
        }
        ::unlink(name_.c_str());
    }
    committed_ = true;
    return true;
}

NameHolder nameHolder(const std::string& name)
{
    struct stat st {
    };
    if (::lstat(name.c_str(), &st) != 0)
        return NameHolder::Nothing;
    return S_ISDIR(st.st_mode) ? NameHolder::Folder : NameHolder::Other;
}
