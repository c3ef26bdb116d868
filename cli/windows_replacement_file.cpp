#include "cli/replacement_file.h"

#include "runtime/exceptions.h"
#include "runtime/system_file_names.h"
#include "runtime/windows_file_api.h"

#include <windows.h>

#include <cstdio>
#include <random>
#include <vector>

namespace
{

[[noreturn]] void fail()
{
    throw EInOutError(::GetLastError());
}

// The name as the narrow calls take it; the companion refuses a name without one before it
// gets here, so this is the same refusal the file layer gives.
std::string narrow(const std::string& name)
{
    const auto narrowed = narrowFileName(name);
    if (!narrowed)
        throw EInOutError(ERROR_INVALID_NAME);
    return *narrowed;
}

HANDLE toHandle(std::intptr_t file)
{
    return reinterpret_cast<HANDLE>(file);
}

} // namespace

ReplacementFile::ReplacementFile(const std::string& output, OsHandle) : output_(narrow(output))
{
    const auto cut = output_.find_last_of(kFolderSeparators);
    const std::string folder =
        cut == std::string::npos ? std::string() : output_.substr(0, cut + 1);
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; file_ == -1; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%06x", unsigned(random() & 0xFFFFFF));
        name_ = folder + ".naprawa-" + suffix;
        const HANDLE file = ::CreateFileA(name_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            file_ = reinterpret_cast<std::intptr_t>(file);
        else if (::GetLastError() != ERROR_FILE_EXISTS || attempt == 100)
            fail();
    }
}

ReplacementFile::~ReplacementFile()
{
    if (committed_)
        return;
    if (file_ != -1)
        ::CloseHandle(toHandle(file_));
    ::DeleteFileA(name_.c_str());
}

void ReplacementFile::copyFrom(OsHandle stock, std::uint64_t bytes)
{
    const HANDLE from = static_cast<HANDLE>(windowsHandle(stock));
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(from, start, nullptr, FILE_BEGIN))
        fail();
    std::vector<char> block(1 << 20);
    for (std::uint64_t left = bytes; left > 0;) {
        DWORD got = 0;
        const DWORD ask = DWORD(std::min<std::uint64_t>(left, block.size()));
        if (!::ReadFile(from, block.data(), ask, &got, nullptr))
            fail();
        if (got == 0)
            throw EInOutError(io_code::kReadBeyondEnd);
        DWORD written = 0;
        if (!::WriteFile(toHandle(file_), block.data(), got, &written, nullptr))
            fail();
        if (written < got)
            throw EInOutError(io_code::kDiskFull);
        left -= got;
    }
}

bool ReplacementFile::commit(bool replace)
{
    const HANDLE file = toHandle(file_);
    file_ = -1;
    if (!::CloseHandle(file))
        fail();
    if (!::MoveFileExA(name_.c_str(), output_.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
        const DWORD error = ::GetLastError();
        if (!replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS))
            return false;
        throw EInOutError(error);
    }
    committed_ = true;
    return true;
}

NameHolder nameHolder(const std::string& name)
{
    const auto narrowed = narrowFileName(name);
    const DWORD attributes =
        narrowed ? ::GetFileAttributesA(narrowed->c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return NameHolder::Nothing;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? NameHolder::Folder : NameHolder::Other;
}
