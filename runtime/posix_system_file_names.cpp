#include "runtime/system_file_names.h"

const std::string_view kFolderSeparators = "/";

std::optional<std::string> narrowFileName(std::string_view utf8)
{
    return std::string(utf8);
}
