#pragma once

#include "runtime/os_file.h"

// The real file system over the Windows API. Names are UTF-8 and reach the system in its ANSI
// code page (system_file_names.h); one that code page cannot hold is refused with 123
// (ERROR_INVALID_NAME) before anything is opened. The calls: CreateFileA (reading and writing,
// shared for reading and writing, normal attributes), SetFilePointer and GetFileSize with their
// high parts, ReadFile, WriteFile, CloseHandle; GetLastError's codes are passed on unchanged.
//
// Beyond the bare calls, as on every system: a name that designates a device (NUL, CON, COM1,
// a named pipe, anything under \\.\) is refused with 5 before it is opened, and whatever else
// opens as no disk file is closed again and refused with 5. An empty name gives no handle:
// the process's standard handles are never used as record files.
OsFileApi& windowsFileApi();

// True when the system resolves the name (in the ANSI code page) to a device rather than a file
// in a folder, which is told without opening it.
bool isWindowsDeviceName(const std::string& name);

// The system's HANDLE behind a handle of windowsFileApi().
void* windowsHandle(OsHandle handle);
