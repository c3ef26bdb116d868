#include "runtime/system_file_names.h"

#include <windows.h>

const std::string_view kFolderSeparators = "\\/:";

std::optional<std::string> narrowFileName(std::string_view utf8)
{
    if (utf8.empty())
        return std::string();
    const int length = static_cast<int>(utf8.size());
    const int wideLength =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (wideLength <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(),
                          wideLength);
    // No best fit: a character the code page lacks must not become a look-alike.
    BOOL defaulted = FALSE;
    const int narrowLength = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                                   wideLength, nullptr, 0, nullptr, &defaulted);
    if (narrowLength <= 0 || defaulted)
        return std::nullopt;
    std::string narrow(static_cast<std::size_t>(narrowLength), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, narrow.data(),
                          narrowLength, nullptr, &defaulted);
    // A round trip that does not give the same text back was mapped, however the flag said.
    const int back = ::MultiByteToWideChar(CP_ACP, 0, narrow.data(), narrowLength, nullptr, 0);
    std::wstring again(static_cast<std::size_t>(back > 0 ? back : 0), L'\0');
    if (back > 0)
        ::MultiByteToWideChar(CP_ACP, 0, narrow.data(), narrowLength, again.data(), back);
    if (defaulted || again != wide)
        return std::nullopt;
    return narrow;
}
