#pragma once

#include "runtime/os_file.h"

// The real file system over POSIX calls, reporting Windows codes.
OsFileApi& posixFileApi();

// The descriptor behind a handle of posixFileApi(), -1 for none.
int posixDescriptor(OsHandle handle);

// The Windows code for a POSIX errno; the whole mapping is one table in posix_file_api.cpp.
// ENOENT maps to 2; whether a folder on the path is missing (3) needs the name, see open().
std::uint32_t windowsErrorFromErrno(int err);
