#pragma once

#include "os_file.h"

#include <iosfwd>
#include <string>
#include <vector>

// naprawa-cli: the window's repair for scripts, over the same stock core.
//   inspect [--json] STOCK...                  figures of each stock file, nothing written
//   repair [--count N] [--force] STOCK OUTPUT  the window's writer
// Errors are shown with the window's messages (full stop included) on err.
namespace companion
{

enum ExitCode {
    kDone = 0,
    kFailed = 1,   // an I/O or conversion error
    kBadUsage = 2, // the command line, or an existing OUTPUT without --force
};

// args without the program's name.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        OsFileApi& os = systemFileApi());

// A file name as given on the command line, as UTF-8 for the output (on Windows the names
// come in the ANSI code page).
std::string displayName(const std::string& name);

} // namespace companion
