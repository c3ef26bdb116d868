#include "runtime/find_first.h"

#include "runtime/path_kind.h"

#include <algorithm>
#include <dirent.h>
#include <string_view>
#include <vector>

// The lookup made of a folder listing: POSIX has no call that matches wildcards the same way.
namespace
{

bool hasWildcard(std::string_view s)
{
    return s.find_first_of("*?") != std::string_view::npos;
}

// Length of the UTF-8 character starting at s[i], so that '?' stands for one character.
std::size_t charLength(std::string_view s, std::size_t i)
{
    std::size_t n = 1;
    while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

bool wildcardMatch(std::string_view pattern, std::string_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += charLength(name, n);
        } else if (p < pattern.size() && pattern[p] == name[n]) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP;
            starN += charLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// "." and ".." first, as the lookup reports them, then by name.
bool lookupOrder(const std::string& a, const std::string& b)
{
    auto rank = [](const std::string& s) { return s == "." ? 0 : s == ".." ? 1 : 2; };
    if (rank(a) != rank(b))
        return rank(a) < rank(b);
    return a < b;
}

} // namespace

bool findFirstFindsFile(const std::string& name)
{
    if (name.empty())
        return false;
    const std::size_t slash = name.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
    const std::string pattern = name.substr(folder.size());
    if (pattern.empty())
        return false;
    if (!hasWildcard(pattern))
        return pathKind(name) == PathKind::Other;
    if (hasWildcard(folder))
        return false;

    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return false;
    std::vector<std::string> matches;
    while (const dirent* entry = ::readdir(dir))
        if (wildcardMatch(pattern, entry->d_name))
            matches.emplace_back(entry->d_name);
    ::closedir(dir);
    if (matches.empty())
        return false;
    const std::string first = *std::min_element(matches.begin(), matches.end(), lookupOrder);
    return pathKind(folder + first) == PathKind::Other;
}
