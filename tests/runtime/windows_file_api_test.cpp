#include "runtime/windows_file_api.h"
#include "tests/runtime/open_refused.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace
{

HANDLE raw(OsHandle handle)
{
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(handle));
}

std::string invalidName(const ScratchDir& d)
{
    return d.file("mag?zyn.rek");
}
template <const char* device> std::string named(const ScratchDir&)
{
    return device;
}
constexpr char kNul[] = "NUL";
constexpr char kNulInFolder[] = "C:\\windows\\nul";
constexpr char kConsoleInput[] = "CONIN$";
constexpr char kSerialPort[] = "COM1";
constexpr char kDrive[] = "\\\\.\\C:";

INSTANTIATE_TEST_SUITE_P(
    Windows, OpenRefused,
    ::testing::Values(
        OpenCase{"InvalidName", invalidName, OsDisposition::CreateAlways, 123},
        OpenCase{"NulDevice", named<kNul>, OsDisposition::OpenExisting, 5},
        OpenCase{"NulDeviceInAFolder", named<kNulInFolder>, OsDisposition::CreateAlways, 5},
        OpenCase{"ConsoleInput", named<kConsoleInput>, OsDisposition::OpenExisting, 5},
        OpenCase{"SerialPortOnCreate", named<kSerialPort>, OsDisposition::CreateAlways, 5},
        OpenCase{"Drive", named<kDrive>, OsDisposition::OpenExisting, 5}),
    openCaseName);

// Another program holds the file and shares nothing: the system's sharing violation, and the
// file is not emptied by a create.
TEST(WindowsFile, ASecondOpenerOfAFileSharedWithNobodyGets32)
{
    ScratchDir dir;
    const std::string name = dir.file("zajety.rek");
    writeFileBytes(name, "dane");
    const HANDLE holder = ::CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(windowsFileApi().open(name, OsDisposition::OpenExisting).error, 32u);
    EXPECT_EQ(windowsFileApi().open(name, OsDisposition::CreateAlways).error, 32u);
    ::CloseHandle(holder);
    EXPECT_EQ(readFileBytes(name), "dane");
}

TEST(WindowsFile, OpensWhileAnotherProgramSharesReadingAndWriting)
{
    ScratchDir dir;
    const std::string name = dir.file("wspolny.rek");
    writeFileBytes(name, "dane");
    const HANDLE other = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    const OsOpenResult r = windowsFileApi().open(name, OsDisposition::OpenExisting);
    EXPECT_EQ(r.error, 0u);
    EXPECT_TRUE(windowsFileApi().close(r.handle));
    ::CloseHandle(other);
}

// A pipe's server would see a client connect: the name is refused before it is opened.
TEST(WindowsFile, ANamedPipeIsRefusedWithoutConnecting)
{
    const std::string name = "\\\\.\\pipe\\naprawa-test-" + std::to_string(::GetCurrentProcessId());
    const HANDLE server = ::CreateNamedPipeA(
        name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_NOWAIT, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    EXPECT_EQ(windowsFileApi().open(name, OsDisposition::OpenExisting).error, 5u);
    EXPECT_EQ(windowsFileApi().open(name, OsDisposition::CreateAlways).error, 5u);
    EXPECT_FALSE(windowsFileApi().identity(name).has_value());
    EXPECT_FALSE(::ConnectNamedPipe(server, nullptr));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PIPE_LISTENING)) << "a client connected";
    ::CloseHandle(server);
}

// Positions and sizes take their high parts: nothing wraps at 4 GiB.
TEST(WindowsFile, PositionAndSizeBeyond4GiBAreNotWrapped)
{
    ScratchDir dir;
    const std::string name = dir.file("duzy.rek");
    writeFileBytes(name, "");
    OsFileApi& os = windowsFileApi();
    const OsOpenResult r = os.open(name, OsDisposition::OpenExisting);
    ASSERT_EQ(r.error, 0u);
    const std::uint64_t size = (std::uint64_t(1) << 32) + 100;
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(size);
    if (!::SetFilePointerEx(raw(r.handle), to, nullptr, FILE_BEGIN) ||
        !::SetEndOfFile(raw(r.handle))) {
        os.close(r.handle);
        GTEST_SKIP() << "this file system holds no file of 4 GiB";
    }
    to.QuadPart -= 37;
    ::SetFilePointerEx(raw(r.handle), to, nullptr, FILE_BEGIN);
    EXPECT_EQ(os.size(r.handle).value, size);
    EXPECT_EQ(os.position(r.handle).value, size - 37);
    EXPECT_TRUE(os.close(r.handle));
}

} // namespace
