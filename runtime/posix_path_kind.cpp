#include "runtime/path_kind.h"

#include <sys/stat.h>

PathKind pathKind(const std::string& path)
{
    struct stat st {
    };
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return PathKind::Missing;
    return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::Other;
}
