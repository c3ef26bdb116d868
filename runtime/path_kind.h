#pragma once

#include <string>

// What a name designates in the file system, following symbolic links: nothing (or nothing the
// process may see), a folder, or anything else (a file, a device, a pipe, …).
enum class PathKind { Missing, Folder, Other };

PathKind pathKind(const std::string& path);

inline bool isFolder(const std::string& path)
{
    return pathKind(path) == PathKind::Folder;
}
