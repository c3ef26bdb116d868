#include "posix_file_api.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

struct OpenCase {
    const char* name;
    // Prepares the scratch folder; returns the name to open.
    std::string (*prepare)(const ScratchDir&);
    OsDisposition disposition;
    std::uint32_t code;
};

std::string missingFile(const ScratchDir& d)
{
    return d.file("brak.rek");
}
std::string missingFolder(const ScratchDir& d)
{
    return d.file("brak/magazyn.rek");
}
std::string fileAsFolder(const ScratchDir& d)
{
    writeFileBytes(d.file("plik"), "x");
    return d.file("plik/magazyn.rek");
}
std::string readOnlyFile(const ScratchDir& d)
{
    writeFileBytes(d.file("ro.rek"), "dane");
    ::chmod(d.file("ro.rek").c_str(), 0444);
    return d.file("ro.rek");
}
std::string folderName(const ScratchDir& d)
{
    return d.path();
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

class OpenRefused : public ::testing::TestWithParam<OpenCase>
{
};

TEST_P(OpenRefused, WithTheWindowsCode)
{
    ScratchDir dir;
    const std::string name = GetParam().prepare(dir);
    const OsOpenResult r = posixFileApi().open(name, GetParam().disposition);
    EXPECT_EQ(r.error, GetParam().code);
    EXPECT_EQ(r.handle, kNoHandle);
}

INSTANTIATE_TEST_SUITE_P(
    Names, OpenRefused,
    ::testing::Values(
        OpenCase{"MissingFile", missingFile, OsDisposition::OpenExisting, 2},
        OpenCase{"RelativeMissingFile", relativeMissing, OsDisposition::OpenExisting, 2},
        OpenCase{"MissingFolder", missingFolder, OsDisposition::OpenExisting, 3},
        OpenCase{"MissingFolderOnCreate", missingFolder, OsDisposition::CreateAlways, 3},
        OpenCase{"FileAsFolder", fileAsFolder, OsDisposition::OpenExisting, 3},
        OpenCase{"ReadOnlyFile", readOnlyFile, OsDisposition::OpenExisting, 5},
        OpenCase{"ReadOnlyFileOnCreate", readOnlyFile, OsDisposition::CreateAlways, 5},
        OpenCase{"FolderName", folderName, OsDisposition::OpenExisting, 5},
        OpenCase{"FolderNameOnCreate", folderName, OsDisposition::CreateAlways, 5},
        OpenCase{"Fifo", fifo, OsDisposition::OpenExisting, 5},
        OpenCase{"FifoOnCreate", fifo, OsDisposition::CreateAlways, 5},
        OpenCase{"Socket", socketFile, OsDisposition::OpenExisting, 5},
        OpenCase{"SocketOnCreate", socketFile, OsDisposition::CreateAlways, 5},
        OpenCase{"EndlessDevice", zeroDevice, OsDisposition::OpenExisting, 5},
        OpenCase{"NullDeviceOnCreate", nullDevice, OsDisposition::CreateAlways, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OsFile, CreateRefusedOverAReadOnlyFileLeavesItAlone)
{
    ScratchDir dir;
    const std::string name = readOnlyFile(dir);
    posixFileApi().open(name, OsDisposition::CreateAlways);
    ::chmod(name.c_str(), 0644);
    EXPECT_EQ(readFileBytes(name), "dane");
}

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

TEST(OsFile, NoStandardHandleAndEveryUseOfItIsInvalid)
{
    OsFileApi& os = posixFileApi();
    const OsHandle h = os.standardHandle(OsStandardStream::Input);
    EXPECT_EQ(h, kNoHandle);
    EXPECT_EQ(os.standardHandle(OsStandardStream::Output), kNoHandle);
    char buf[4];
    EXPECT_EQ(os.position(h).error, 6u);
    EXPECT_EQ(os.size(h).error, 6u);
    EXPECT_EQ(os.read(h, buf, 4).error, 6u);
    EXPECT_EQ(os.write(h, buf, 4).error, 6u);
    EXPECT_FALSE(os.close(h));
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

TEST(OsFile, SameFileThroughLinksHasOneIdentity)
{
    ScratchDir dir;
    const std::string name = dir.file("m.rek");
    writeFileBytes(name, "x");
    ASSERT_EQ(::symlink(name.c_str(), dir.file("sym").c_str()), 0);
    ASSERT_EQ(::link(name.c_str(), dir.file("hard").c_str()), 0);
    writeFileBytes(dir.file("other"), "x");
    OsFileApi& os = posixFileApi();
    const auto id = os.identity(name);
    ASSERT_TRUE(id.has_value());
    EXPECT_EQ(os.identity(dir.file("sym")), id);
    EXPECT_EQ(os.identity(dir.file("hard")), id);
    EXPECT_NE(os.identity(dir.file("other")), id);
    EXPECT_FALSE(os.identity(dir.file("none")).has_value());
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
