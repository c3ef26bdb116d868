#pragma once

#include "runtime/os_file.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// A name the system's file layer must refuse to open, with the Windows code it gives. The
// refusals both systems give alike are in file_api_test.cpp; each system's suite adds its own.
struct OpenCase {
    const char* name;
    // Prepares the scratch folder; returns the name to open.
    std::string (*prepare)(const ScratchDir&);
    OsDisposition disposition;
    std::uint32_t code;
};

class OpenRefused : public ::testing::TestWithParam<OpenCase>
{
};

inline std::string openCaseName(const ::testing::TestParamInfo<OpenCase>& info)
{
    return info.param.name;
}
