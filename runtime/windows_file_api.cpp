#include "runtime/windows_file_api.h"

#include "runtime/system_file_names.h"

#include <windows.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{

HANDLE toHandle(OsHandle handle)
{
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(handle));
}

OsHandle fromHandle(HANDLE handle)
{
    return static_cast<OsHandle>(reinterpret_cast<std::intptr_t>(handle));
}

std::optional<OsFileIdentity> identityOf(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info))
        return std::nullopt;
    return OsFileIdentity{info.dwVolumeSerialNumber,
                          (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

class WindowsFileApi final : public OsFileApi
{
public:
    OsOpenResult open(const std::string& name, OsDisposition disposition) override
    {
        const auto narrow = narrowFileName(name);
        if (!narrow)
            return {kNoHandle, ERROR_INVALID_NAME};
        // A device could block a read for good or act on being opened (a pipe's server sees a
        // client, a serial port its lines raised): refused before it is opened.
        if (isWindowsDeviceName(*narrow))
            return {kNoHandle, ERROR_ACCESS_DENIED};
        const bool reading = disposition == OsDisposition::OpenForReading;
        const HANDLE handle = ::CreateFileA(
            narrow->c_str(), reading ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
            disposition == OsDisposition::CreateAlways ? CREATE_ALWAYS : OPEN_EXISTING,
            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return {kNoHandle, ::GetLastError()};
        // Whatever the name reached beyond the check above: only a disk file holds records.
        // CREATE_ALWAYS empties nothing that is not a disk file.
        if (::GetFileType(handle) != FILE_TYPE_DISK) {
            ::CloseHandle(handle);
            return {kNoHandle, ERROR_ACCESS_DENIED};
        }
        return {fromHandle(handle), 0};
    }

    OsQueryResult position(OsHandle handle) override
    {
        LONG high = 0;
        ::SetLastError(NO_ERROR);
        const DWORD low = ::SetFilePointer(toHandle(handle), 0, &high, FILE_CURRENT);
        if (low == INVALID_SET_FILE_POINTER) {
            const DWORD error = ::GetLastError();
            if (error != NO_ERROR)
                return {0, error};
        }
        return {(std::uint64_t(static_cast<DWORD>(high)) << 32) | low, 0};
    }

    OsQueryResult size(OsHandle handle) override
    {
        DWORD high = 0;
        ::SetLastError(NO_ERROR);
        const DWORD low = ::GetFileSize(toHandle(handle), &high);
        if (low == INVALID_FILE_SIZE) {
            const DWORD error = ::GetLastError();
            if (error != NO_ERROR)
                return {0, error};
        }
        return {(std::uint64_t(high) << 32) | low, 0};
    }

    OsTransferResult read(OsHandle handle, void* buffer, std::uint32_t count) override
    {
        DWORD bytes = 0;
        if (!::ReadFile(toHandle(handle), buffer, count, &bytes, nullptr))
            return {0, ::GetLastError()};
        return {bytes, 0};
    }

    OsTransferResult write(OsHandle handle, const void* buffer, std::uint32_t count) override
    {
        DWORD bytes = 0;
        if (!::WriteFile(toHandle(handle), buffer, count, &bytes, nullptr))
            return {0, ::GetLastError()};
        return {bytes, 0};
    }

    bool close(OsHandle handle) override
    {
        // Closing no handle at all raises an exception under a debugger.
        return handle != kNoHandle && ::CloseHandle(toHandle(handle)) != 0;
    }

    std::optional<OsFileIdentity> identity(OsHandle handle) override
    {
        return identityOf(toHandle(handle));
    }

    std::optional<OsFileIdentity> identity(const std::string& name) override
    {
        const auto narrow = narrowFileName(name);
        if (name.empty() || !narrow || isWindowsDeviceName(*narrow))
            return std::nullopt;
        // No access asked for: this open conflicts with no other opener, and a folder opens too.
        const HANDLE handle = ::CreateFileA(
            narrow->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return std::nullopt;
        const auto id = ::GetFileType(handle) == FILE_TYPE_DISK ? identityOf(handle) : std::nullopt;
        ::CloseHandle(handle);
        return id;
    }
};

bool startsWith(const std::string& text, const char* prefix)
{
    for (std::size_t i = 0; prefix[i] != '\0'; ++i)
        if (i >= text.size() || std::toupper(static_cast<unsigned char>(text[i])) !=
                                    static_cast<unsigned char>(prefix[i]))
            return false;
    return true;
}

} // namespace

bool isWindowsDeviceName(const std::string& name)
{
    if (name.empty())
        return false;
    // The console's own names, which CreateFileA takes only as they stand.
    for (const char* console : {"CONIN$", "CONOUT$"})
        if (name.size() == std::strlen(console) && startsWith(name, console))
            return true;
    // The system's own reading of the name, as CreateFileA makes it: reserved names (NUL,
    // CON, COM1, ..., with or without an extension, in any folder) come back as \\.\NAME.
    std::vector<char> full(MAX_PATH + 1);
    DWORD length =
        ::GetFullPathNameA(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length + 1);
        length =
            ::GetFullPathNameA(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size())
        return false; // CreateFileA reports what is wrong with the name
    const std::string path(full.data(), length);
    // \\.\ and \\?\ hand the rest to the system unparsed: only a drive, a share or a volume
    // leads to a file from there; anything else is a device (\\.\NUL, \\.\pipe\x, \\.\C:).
    if (startsWith(path, "\\\\.\\") || startsWith(path, "\\\\?\\")) {
        const std::string rest = path.substr(4);
        const bool drivePath = rest.size() > 3 && rest[1] == ':' && rest[2] == '\\';
        return !drivePath && !startsWith(rest, "UNC\\") && !startsWith(rest, "VOLUME{");
    }
    return false;
}

void* windowsHandle(OsHandle handle)
{
    return toHandle(handle);
}

OsFileApi& windowsFileApi()
{
    static WindowsFileApi api;
    return api;
}

OsFileApi& systemFileApi()
{
    return windowsFileApi();
}
