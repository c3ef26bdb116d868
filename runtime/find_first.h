#pragma once

#include <string>

// The system's find-first lookup: true when the name, whose last part may hold the wildcards
// '*' and '?', finds an entry and the first entry it finds is not a directory. Entries come in
// the order "." , "..", then by name, so "*" alone finds "." and fails. Wildcards stand only in
// the last part; a name ending in a folder separator finds nothing. Names are UTF-8.
bool findFirstFindsFile(const std::string& name);
