#pragma once

#include <QString>

#include <string_view>

// A cell's bytes as the characters they stand for in the ANSI code page: records keep their
// bytes, and the grid decodes them only where it draws them.
QString decodeAnsi(std::string_view bytes);
