#pragma once

#include <string>

// A fresh temporary folder, removed with everything in it when the test ends. Every name here is
// UTF-8, on Windows too.
class ScratchDir
{
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

// Takes every write permission away (on Windows: sets the read-only attribute).
void makeReadOnly(const std::string& path);
// Whether the system refuses to open a read-only file for writing. Windows does, and the POSIX
// layer does for everyone; Wine run as root does not.
bool systemRefusesReadOnlyFiles();

#ifndef _WIN32
// Files that hold no records, made at path; each returns path.
std::string makeFifo(const std::string& path);
std::string makeSocket(const std::string& path); // a bound Unix-domain socket, nobody listening
#endif
