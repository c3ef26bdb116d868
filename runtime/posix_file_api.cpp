#include "runtime/posix_file_api.h"

#include "runtime/exceptions.h"
#include "runtime/path_kind.h"
#include "runtime/posix_interrupted.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace
{

// errno → the Windows code the record access reports. Codes 2 to 6 are the ones the operator
// reads a message for; the rest appear as "I/O error %d".
constexpr std::pair<int, std::uint32_t> kErrnoToWindows[] = {
    {EPERM, io_code::kAccessDenied},      // ERROR_ACCESS_DENIED
    {ENOENT, io_code::kFileNotFound},     // ERROR_FILE_NOT_FOUND
    {EIO, 1117},                          // ERROR_IO_DEVICE
    {ENXIO, 21},                          // ERROR_NOT_READY
    {EBADF, io_code::kInvalidHandle},     // ERROR_INVALID_HANDLE
    {EAGAIN, 33},                         // ERROR_LOCK_VIOLATION
    {ENOMEM, 8},                          // ERROR_NOT_ENOUGH_MEMORY
    {EACCES, io_code::kAccessDenied},     // ERROR_ACCESS_DENIED
    {EFAULT, 998},                        // ERROR_NOACCESS
    {EBUSY, 32},                          // ERROR_SHARING_VIOLATION
    {EEXIST, 80},                         // ERROR_FILE_EXISTS
    {EXDEV, 17},                          // ERROR_NOT_SAME_DEVICE
    {ENODEV, 15},                         // ERROR_INVALID_DRIVE
    {ENOTDIR, io_code::kPathNotFound},    // ERROR_PATH_NOT_FOUND
    {EISDIR, io_code::kAccessDenied},     // ERROR_ACCESS_DENIED: a folder's name
    {EINVAL, 87},                         // ERROR_INVALID_PARAMETER
    {ENFILE, io_code::kTooManyOpenFiles}, // ERROR_TOO_MANY_OPEN_FILES
    {EMFILE, io_code::kTooManyOpenFiles}, // ERROR_TOO_MANY_OPEN_FILES
    {ETXTBSY, 32},                        // ERROR_SHARING_VIOLATION
    {EFBIG, 223},                         // ERROR_FILE_TOO_LARGE
    {ENOSPC, 112},                        // ERROR_DISK_FULL
    {ESPIPE, 131},                        // ERROR_NEGATIVE_SEEK
    {EROFS, io_code::kAccessDenied},      // ERROR_ACCESS_DENIED: a read-only medium
    {EMLINK, 1142},                       // ERROR_TOO_MANY_LINKS
    {ENAMETOOLONG, 206},                  // ERROR_FILENAME_EXCED_RANGE
    {ELOOP, 1921},                        // ERROR_CANT_RESOLVE_FILENAME
    {EOVERFLOW, 534},                     // ERROR_ARITHMETIC_OVERFLOW
    {EDQUOT, 1295},                       // ERROR_DISK_QUOTA_EXCEEDED
    {ETIMEDOUT, 1460},                    // ERROR_TIMEOUT
    {ESTALE, io_code::kInvalidHandle},    // ERROR_INVALID_HANDLE
};
constexpr std::uint32_t kGeneralFailure = 31; // ERROR_GEN_FAILURE

std::uint32_t lastError()
{
    return windowsErrorFromErrno(errno);
}

bool toFd(OsHandle handle, int& fd)
{
    if (handle <= 0 || handle > INT32_MAX)
        return false;
    fd = static_cast<int>(handle - 1);
    return true;
}

OsHandle fromFd(int fd)
{
    return static_cast<OsHandle>(fd) + 1;
}

// ENOENT is "file not found" only when the folder the name lies in exists; otherwise a folder
// on the path is missing, which Windows reports as "path not found".
std::uint32_t notFoundCode(const std::string& name)
{
    const auto slash = name.find_last_of('/');
    if (slash == std::string::npos)
        return io_code::kFileNotFound;
    const std::string folder = slash == 0 ? std::string("/") : name.substr(0, slash);
    return isFolder(folder) ? io_code::kFileNotFound : io_code::kPathNotFound;
}

// Checks what an open of the name gave, now that it cannot change: a regular file, taken back to
// blocking requests. 0, or the code to refuse it with.
std::uint32_t checkRegularRecordFile(int fd)
{
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        return lastError();
    if (!S_ISREG(st.st_mode))
        return io_code::kAccessDenied;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return lastError();
    return 0;
}

// A write at a file-size limit raises SIGXFSZ, whose default action ends the program without a
// word. Ignored, the write fails with EFBIG as any refused write does. Set once, when the file
// layer is first used, so that no write pays for it; a handler the program installed itself is
// left in place.
void ignoreFileSizeSignal()
{
    struct sigaction current {
    };
    if (::sigaction(SIGXFSZ, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
        return;
    struct sigaction ignore {
    };
    ignore.sa_handler = SIG_IGN;
    ::sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

class PosixFileApi final : public OsFileApi
{
public:
    PosixFileApi() { ignoreFileSizeSignal(); }

    OsOpenResult open(const std::string& name, OsDisposition disposition) override
    {
        // Only a regular file holds records: a FIFO, socket or device could block a read for
        // good, or act on being opened. It is refused before anything is opened.
        struct stat st {
        };
        if (::stat(name.c_str(), &st) == 0) {
            if (!S_ISREG(st.st_mode))
                return {kNoHandle, io_code::kAccessDenied};
            // Root may write anything; Windows refuses a read-only file to everyone.
            if (disposition != OsDisposition::OpenForReading &&
                (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
                return {kNoHandle, io_code::kAccessDenied};
        }

        // The name may designate another file by the time it is opened: O_NONBLOCK, so a FIFO
        // put in its place cannot block the open, and what was opened is checked again. The
        // output is emptied by the open itself (O_TRUNC leaves FIFOs and terminals as they
        // are): emptied by ftruncate after the open instead, the copy of a large file took
        // 12 % longer here.
        int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
        flags |= disposition == OsDisposition::OpenForReading ? O_RDONLY : O_RDWR;
        if (disposition == OsDisposition::CreateAlways)
            flags |= O_CREAT | O_TRUNC;
        const int fd = retryInterrupted([&] { return ::open(name.c_str(), flags, 0666); });
        if (fd < 0) {
            const int err = errno;
            return {kNoHandle, err == ENOENT ? notFoundCode(name) : windowsErrorFromErrno(err)};
        }
        const std::uint32_t error = checkRegularRecordFile(fd);
        if (error != 0) {
            ::close(fd);
            return {kNoHandle, error};
        }
        return {fromFd(fd), 0};
    }

    OsQueryResult position(OsHandle handle) override
    {
        int fd;
        if (!toFd(handle, fd))
            return {0, io_code::kInvalidHandle};
        const off_t pos = ::lseek(fd, 0, SEEK_CUR);
        if (pos < 0)
            return {0, lastError()};
        return {static_cast<std::uint64_t>(pos), 0};
    }

    OsQueryResult size(OsHandle handle) override
    {
        int fd;
        if (!toFd(handle, fd))
            return {0, io_code::kInvalidHandle};
        struct stat st {
        };
        if (::fstat(fd, &st) != 0)
            return {0, lastError()};
        return {static_cast<std::uint64_t>(st.st_size), 0};
    }

    OsTransferResult read(OsHandle handle, void* buffer, std::uint32_t count) override
    {
        int fd;
        if (!toFd(handle, fd))
            return {0, io_code::kInvalidHandle};
        const ssize_t n = retryInterrupted([&] { return ::read(fd, buffer, count); });
        if (n < 0)
            return {0, lastError()};
        return {static_cast<std::uint32_t>(n), 0};
    }

    OsTransferResult write(OsHandle handle, const void* buffer, std::uint32_t count) override
    {
        int fd;
        if (!toFd(handle, fd))
            return {0, io_code::kInvalidHandle};
        const ssize_t n = retryInterrupted([&] { return ::write(fd, buffer, count); });
        if (n < 0)
            return {0, lastError()};
        return {static_cast<std::uint32_t>(n), 0};
    }

    bool close(OsHandle handle) override
    {
        int fd;
        if (!toFd(handle, fd))
            return false;
        // Linux releases the descriptor even when close reports EINTR: never retry.
        return ::close(fd) == 0;
    }

    std::optional<OsFileIdentity> identity(OsHandle handle) override
    {
        int fd;
        struct stat st {
        };
        if (!toFd(handle, fd) || ::fstat(fd, &st) != 0)
            return std::nullopt;
        return OsFileIdentity{static_cast<std::uint64_t>(st.st_dev),
                              static_cast<std::uint64_t>(st.st_ino)};
    }

    std::optional<OsFileIdentity> identity(const std::string& name) override
    {
        struct stat st {
        };
        if (name.empty() || ::stat(name.c_str(), &st) != 0)
            return std::nullopt;
        return OsFileIdentity{static_cast<std::uint64_t>(st.st_dev),
                              static_cast<std::uint64_t>(st.st_ino)};
    }
};

} // namespace

std::uint32_t windowsErrorFromErrno(int err)
{
    for (const auto& [posix, windows] : kErrnoToWindows)
        if (posix == err)
            return windows;
    return kGeneralFailure;
}

int posixDescriptor(OsHandle handle)
{
    int fd;
    return toFd(handle, fd) ? fd : -1;
}

OsFileApi& posixFileApi()
{
    static PosixFileApi api;
    return api;
}

OsFileApi& systemFileApi()
{
    return posixFileApi();
}
