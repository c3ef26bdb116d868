#pragma once

#include <string>

// The full path of the running program's file as the system reports it, in UTF-8; where the
// system cannot tell, the name the program was started by (programName, which may be null).
std::string executablePath(const char* programName);
