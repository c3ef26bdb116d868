#include "companion.h"

#include <iostream>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The output is UTF-8; a console shows it as such for this run only.
    const UINT consoleCodePage = ::GetConsoleOutputCP();
    if (consoleCodePage != 0)
        ::SetConsoleOutputCP(CP_UTF8);
#endif
    const int result =
        companion::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    std::cout.flush();
#ifdef _WIN32
    if (consoleCodePage != 0)
        ::SetConsoleOutputCP(consoleCodePage);
#endif
    return result;
}
