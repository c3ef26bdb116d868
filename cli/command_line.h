#pragma once

#include <string>
#include <vector>

// The arguments after the program's name, as UTF-8. POSIX hands them over as given; Windows
// reads them from the wide command line, so a name outside the ANSI code page arrives as typed
// (and can be refused by name) rather than as a best-fit look-alike of another file.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// The output, UTF-8, shown as such while this lives: a Windows console is switched for this
// run only. Nothing to do elsewhere.
class Utf8Console
{
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    [[maybe_unused]] unsigned previous_ = 0; // the console's code page before, where there is one
};
