#pragma once

#include "runtime/os_file.h"

#include <cstdint>
#include <string>

// The repaired file while it is written: a new file in OUTPUT's folder, under a name of its own,
// that takes OUTPUT's name only once the whole copy is in it. Until then an existing OUTPUT
// stays as it was; a file never committed is removed with this object, whatever failed.
// Failures throw EInOutError with a Windows code, as the record access does.
//
// The stock file's handle comes from systemFileApi(). One implementation per system:
// posix_replacement_file.cpp (copy_file_range where the kernel has it) and
// windows_replacement_file.cpp.
class ReplacementFile
{
public:
    // Creates the new file beside output, with the stock file's permission bits under the
    // umask, as a copy made by cp gets them (Windows: normal attributes).
    ReplacementFile(const std::string& output, OsHandle stock);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Copies the first bytes of the stock file, wherever its position stands: inside the system
    // where it copies between files, otherwise in large blocks. A stock file holding fewer
    // bytes fails with 100, as a short record read does.
    void copyFrom(OsHandle stock, std::uint64_t bytes);

    // Closes the new file, its close heard, and gives it output's name: over whatever stands
    // there when replace is set, otherwise only while the name is free. False (and nothing
    // renamed) when it is not.
    bool commit(bool replace);

private:
    std::string output_;
    std::string name_; // the new file's own name until commit
    std::intptr_t file_ = -1;
    bool committed_ = false;
};

// What stands at a name, a symbolic link itself taken as it is (not followed).
enum class NameHolder { Nothing, Folder, Other };
NameHolder nameHolder(const std::string& name);
