#pragma once

#include <optional>
#include <string>
#include <string_view>

// File names as the system's narrow file calls take them. Inside the program a name is UTF-8;
// POSIX systems take those bytes as they are, while Windows' narrow calls (CreateFileA and its
// kin) read them in the system's ANSI code page. A name that code page cannot hold has no
// narrow form: never a near match ("zolw" for "żółw"), which would be another file.

// The name in the system's narrow encoding, or nothing when that cannot hold it (or the text
// is not UTF-8).
std::optional<std::string> narrowFileName(std::string_view utf8);

// True when the system's narrow calls can reach a file of this name.
inline bool systemCanName(std::string_view utf8)
{
    return narrowFileName(utf8).has_value();
}

// The characters that end a folder in a name: "/" on POSIX systems; "\", "/" and a drive's
// ":" on Windows.
extern const std::string_view kFolderSeparators;
