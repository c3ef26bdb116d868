#include "runtime/executable_path.h"

#include <windows.h>

#include <vector>

std::string executablePath(const char* programName)
{
    // The module's name in full, whatever its length: the wide call truncates silently.
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return programName ? programName : "";
        if (length < path.size())
            break;
        path.resize(path.size() * 2);
    }
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(length),
                                            nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(length), utf8.data(), bytes,
                          nullptr, nullptr);
    return utf8;
}
