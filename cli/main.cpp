#include "cli/command_line.h"
#include "cli/companion.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    const Utf8Console console;
    const int code = companion::run(commandLineArguments(argc, argv), std::cout, std::cerr);
    return companion::closeOutput(stdout, std::cerr, code);
}
