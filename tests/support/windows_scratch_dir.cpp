#include "tests/support/scratch_dir.h"

#include <windows.h>

bool systemRefusesReadOnlyFiles()
{
    static const bool refused = [] {
        ScratchDir dir;
        const std::string name = dir.file("ro");
        writeFileBytes(name, "x");
        makeReadOnly(name);
        const HANDLE h = ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return true;
        ::CloseHandle(h);
        return false;
    }();
    return refused;
}
