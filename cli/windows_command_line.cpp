#include "cli/command_line.h"

#include <windows.h>

#include <shellapi.h>

namespace
{

std::string utf8(const wchar_t* wide)
{
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return {};
    std::string text(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
    text.pop_back(); // the terminating zero
    return text;
}

} // namespace

std::vector<std::string> commandLineArguments(int, char**)
{
    // The narrow argv went through the ANSI code page with best fit already: not used.
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i)
        args.push_back(utf8(wide[i]));
    ::LocalFree(wide);
    return args;
}

Utf8Console::Utf8Console() : previous_(::GetConsoleOutputCP())
{
    if (previous_ != 0)
        ::SetConsoleOutputCP(CP_UTF8);
}

Utf8Console::~Utf8Console()
{
    if (previous_ != 0)
        ::SetConsoleOutputCP(previous_);
}
