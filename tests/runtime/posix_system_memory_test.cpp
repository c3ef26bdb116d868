#include "runtime/posix_system_memory_p.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace
{

constexpr std::uint64_t kMiB = 1024 * 1024;

struct GroupCase {
    const char* name;
    const char* procSelfCgroup;
    std::map<std::string, std::string> files;
    std::uint64_t left;
};

class ControlGroupMemory : public ::testing::TestWithParam<GroupCase>
{
};

TEST_P(ControlGroupMemory, IsTheLeastThatAnyGroupOnThePathLeaves)
{
    const GroupCase& c = GetParam();
    const auto read = [&](const std::string& path) -> std::optional<std::string> {
        const auto it = c.files.find(path);
        return it == c.files.end() ? std::nullopt : std::optional(it->second);
    };
    EXPECT_EQ(controlGroupMemoryLeft(c.procSelfCgroup, read), c.left);
}

const std::string v2 = "/sys/fs/cgroup";
const std::string v1 = "/sys/fs/cgroup/memory";

INSTANTIATE_TEST_SUITE_P(
    SystemMemory, ControlGroupMemory,
    ::testing::Values(GroupCase{"Version2NoLimit",
                                "0::/user.slice/app\n",
                                {{v2 + "/user.slice/app/memory.max", "max\n"},
                                 {v2 + "/user.slice/app/memory.current", "1000\n"}},
                                UINT64_MAX},
                      GroupCase{"Version2TighterLimitAbove",
                                "0::/user.slice/app\n",
                                {{v2 + "/user.slice/app/memory.max", "536870912\n"},
                                 {v2 + "/user.slice/app/memory.current", "134217728\n"},
                                 {v2 + "/user.slice/memory.max", "268435456\n"},
                                 {v2 + "/user.slice/memory.current", "201326592\n"}},
                                64 * kMiB},
                      GroupCase{"Version2InsideANamespaceSeesItsRoot",
                                "0::/\n",
                                {{v2 + "/memory.max", "1073741824\n"},
                                 {v2 + "/memory.current", "1073741824\n"}},
                                0},
                      GroupCase{"Version1MemoryController",
                                "9:pids:/x\n4:cpu,memory:/batch/job\n1:name=systemd:/\n",
                                {{v1 + "/batch/job/memory.limit_in_bytes", "209715200\n"},
                                 {v1 + "/batch/job/memory.usage_in_bytes", "104857600\n"},
                                 {v1 + "/batch/memory.limit_in_bytes", "9223372036854771712\n"},
                                 {v1 + "/batch/memory.usage_in_bytes", "104857600\n"}},
                                100 * kMiB},
                      GroupCase{"Version2PageCacheIsNotUseOnAnyGroup",
                                "0::/user.slice/app\n",
                                {{v2 + "/user.slice/app/memory.max", "536870912\n"},
                                 {v2 + "/user.slice/app/memory.current", "524288000\n"},
                                 {v2 + "/user.slice/app/memory.stat", "inactive_file 419430400"},
                                 {v2 + "/user.slice/memory.max", "1073741824\n"},
                                 {v2 + "/user.slice/memory.current", "943718400\n"},
                                 {v2 + "/user.slice/memory.stat", "inactive_file 104857600\n"}},
                                224 * kMiB},
                      GroupCase{"Version1PageCacheCountsTheWholeSubtree",
                                "4:memory:/job\n",
                                {{v1 + "/job/memory.limit_in_bytes", "536870912\n"},
                                 {v1 + "/job/memory.usage_in_bytes", "524288000\n"},
                                 {v1 + "/job/memory.stat", "inactive_file 1\n"
                                                           "total_inactive_file 419430400\n"}},
                                412 * kMiB}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
