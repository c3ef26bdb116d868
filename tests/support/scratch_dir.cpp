#include "tests/support/scratch_dir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace
{

// Names are UTF-8, whatever the system's narrow encoding.
std::filesystem::path fsPath(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

ScratchDir::ScratchDir()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const auto candidate =
            std::filesystem::temp_directory_path() / ("naprawa-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate))
            path_ =
                std::string(reinterpret_cast<const char*>(candidate.generic_u8string().c_str()));
    }
    if (path_.empty())
        throw std::runtime_error("cannot create a scratch folder");
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    // Tests take write bits away; give them back so the folder can go.
    for (auto it = std::filesystem::recursive_directory_iterator(fsPath(path_), ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(fsPath(path_), ec);
}

std::string ScratchDir::file(const std::string& name) const
{
    return path_ + "/" + name;
}

std::string readFileBytes(const std::string& path)
{
    std::ifstream in(fsPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(fsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(fsPath(path), ec));
}

void makeReadOnly(const std::string& path)
{
    using std::filesystem::perms;
    std::filesystem::permissions(fsPath(path),
                                 perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
}
