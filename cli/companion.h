#pragma once

#include "runtime/os_file.h"

#include <cstdio>
#include <iosfwd>
#include <string>
#include <vector>

// naprawa-cli: the window's repair for scripts, over the same stock core.
//   inspect [--json] STOCK...                  figures of each stock file, nothing written
//   repair [--count N] [--force] STOCK OUTPUT  the window's writer, at the speed of a copy
// Errors name the program and the file, with the window's messages (full stop included).
namespace companion
{

enum ExitCode {
    kDone = 0,
    kFailed = 1,   // an I/O or conversion error, or the output could not be written
    kBadUsage = 2, // the command line, or an existing OUTPUT without --force
};

// args without the program's name, as UTF-8 (Windows: from the wide command line).
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        OsFileApi& os = systemFileApi());

// The end of the program's standard output, as command-line tools end it: flushed and closed,
// and a write that failed on the way (a full disk, a closed pipe) said on err and turned into
// kFailed. Returns the program's exit code.
int closeOutput(std::FILE* stream, std::ostream& err, int code);

} // namespace companion
