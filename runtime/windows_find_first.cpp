#include "runtime/find_first.h"

#include "runtime/system_file_names.h"

#include <windows.h>

bool findFirstFindsFile(const std::string& name)
{
    const auto narrow = narrowFileName(name);
    if (name.empty() || !narrow)
        return false;
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA(narrow->c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
