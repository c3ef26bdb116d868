#include "runtime/path_kind.h"

#include "runtime/system_file_names.h"

#include <windows.h>

PathKind pathKind(const std::string& path)
{
    const auto narrow = narrowFileName(path);
    if (path.empty() || !narrow)
        return PathKind::Missing;
    const DWORD attributes = ::GetFileAttributesA(narrow->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::Other;
}
