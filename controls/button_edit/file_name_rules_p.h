#pragma once

#include <string>
#include <string_view>

// The text rules of the file-name field, apart from any window. Names are UTF-8; a folder ends
// in the system's folder separator ('/', on Windows also '\' and a drive's ':').

// The first token of the text read like a command line: blanks (codes up to 0x20) part
// tokens, a leading pair of double quotes is skipped like a blank, and a double quote opens a
// stretch up to the next one (or the end) that is taken whole, blanks included, without its
// quotes. Empty when there is no token. The token is taken whole, however long.
std::string firstCommandLineToken(std::string_view text);

// The name a field text designates: the text itself when it names an existing file by the
// find-first lookup, else its first command-line token.
std::string designatedFileName(const std::string& text);

// Not empty and free of the characters < > " [ ] |.
bool isValidFileName(std::string_view name);

// The name enclosed in double quotes when it holds a space and does not begin with one; else
// the name unchanged.
std::string quotedFileName(const std::string& name);

// Everything up to and including the last folder separator (empty when there is none), and
// what follows it.
std::string folderPart(std::string_view name);
std::string namePart(std::string_view name);
