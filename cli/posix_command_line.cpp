#include "cli/command_line.h"

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;
