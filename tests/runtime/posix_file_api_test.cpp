#include "runtime/posix_file_api.h"
#include "tests/runtime/open_refused.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

std::string fileAsFolder(const ScratchDir& d)
{
    writeFileBytes(d.file("plik"), "x");
    return d.file("plik/magazyn.rek");
}
std::string fifo(const ScratchDir& d)
{
    return makeFifo(d.file("fifo"));
}
std::string socketFile(const ScratchDir& d)
{
    return makeSocket(d.file("gniazdo"));
}
std::string nullDevice(const ScratchDir&)
{
    return "/dev/null";
}
std::string zeroDevice(const ScratchDir&)
{
    return "/dev/zero";
}
std::string relativeMissing(const ScratchDir&)
{
    return "naprawa-no-such-file.rek";
}

INSTANTIATE_TEST_SUITE_P(
    Posix, OpenRefused,
    ::testing::Values(OpenCase{"RelativeMissingFile", relativeMissing, OsDisposition::OpenExisting,
                               2},
                      OpenCase{"FileAsFolder", fileAsFolder, OsDisposition::OpenExisting, 3},
                      OpenCase{"Fifo", fifo, OsDisposition::OpenExisting, 5},
                      OpenCase{"FifoOnCreate", fifo, OsDisposition::CreateAlways, 5},
                      OpenCase{"Socket", socketFile, OsDisposition::OpenExisting, 5},
                      OpenCase{"SocketOnCreate", socketFile, OsDisposition::CreateAlways, 5},
                      OpenCase{"EndlessDevice", zeroDevice, OsDisposition::OpenExisting, 5},
                      OpenCase{"NullDeviceOnCreate", nullDevice, OsDisposition::CreateAlways, 5}),
    openCaseName);

TEST(OsFile, TooManyOpenFilesIsCode4)
{
    ScratchDir dir;
    writeFileBytes(dir.file("a.rek"), "x");
    const pid_t child = ::fork();
    if (child == 0) {
        struct rlimit lim {
        };
        ::getrlimit(RLIMIT_NOFILE, &lim);
        lim.rlim_cur = 16;
        ::setrlimit(RLIMIT_NOFILE, &lim);
        std::uint32_t code = 0;
        for (int i = 0; i < 32 && code == 0; ++i)
            code = posixFileApi().open(dir.file("a.rek"), OsDisposition::OpenExisting).error;
        ::_exit(static_cast<int>(code));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 4);
}

TEST(OsFile, SizeOfAFileBeyond4GiBIsNotWrapped)
{
    ScratchDir dir;
    const std::string name = dir.file("duzy.rek");
    const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    const std::uint64_t size = (std::uint64_t(1) << 32) + 100;
    const bool sparse = ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    ::close(fd);
    if (!sparse)
        GTEST_SKIP() << "this file system holds no 4 GiB sparse file";
    OsFileApi& os = posixFileApi();
    const OsOpenResult r = os.open(name, OsDisposition::OpenExisting);
    ASSERT_EQ(r.error, 0u);
    EXPECT_EQ(os.size(r.handle).value, size);
    EXPECT_TRUE(os.close(r.handle));
}

TEST(OsFile, ErrnoTableGivesWindowsCodes)
{
    EXPECT_EQ(windowsErrorFromErrno(ENOENT), 2u);
    EXPECT_EQ(windowsErrorFromErrno(ENOTDIR), 3u);
    EXPECT_EQ(windowsErrorFromErrno(EMFILE), 4u);
    EXPECT_EQ(windowsErrorFromErrno(ENFILE), 4u);
    EXPECT_EQ(windowsErrorFromErrno(EACCES), 5u);
    EXPECT_EQ(windowsErrorFromErrno(EROFS), 5u);
    EXPECT_EQ(windowsErrorFromErrno(EISDIR), 5u);
    EXPECT_EQ(windowsErrorFromErrno(EBADF), 6u);
    EXPECT_EQ(windowsErrorFromErrno(ENOSPC), 112u);
    EXPECT_EQ(windowsErrorFromErrno(ETXTBSY), 32u);
    EXPECT_EQ(windowsErrorFromErrno(0x7fff), 31u);
}

} // namespace
