#include "runtime/executable_path.h"

#include <filesystem>
#include <system_error>

std::string executablePath(const char* programName)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.string();
    return programName ? programName : "";
}
