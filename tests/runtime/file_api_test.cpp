// What the file layers of both systems do alike, through the one this is built for.

#include "runtime/system_file_names.h"
#include "tests/runtime/open_refused.h"

#include <filesystem>

namespace
{

std::string missingFile(const ScratchDir& d)
{
    return d.file("brak.rek");
}
std::string missingFolder(const ScratchDir& d)
{
    return d.file("brak/magazyn.rek");
}
std::string readOnlyFile(const ScratchDir& d)
{
    writeFileBytes(d.file("ro.rek"), "dane");
    makeReadOnly(d.file("ro.rek"));
    return d.file("ro.rek");
}
std::string folderName(const ScratchDir& d)
{
    return d.path();
}

// A refused open, a create included, leaves a file that is there as it was.
TEST_P(OpenRefused, WithTheSystemsCode)
{
    ScratchDir dir;
    const std::string name = GetParam().prepare(dir);
    if (GetParam().prepare == readOnlyFile && !systemRefusesReadOnlyFiles())
        GTEST_SKIP() << "this system lets the read-only attribute be written through (Wine keeps "
                        "it as the Unix write bits, which root ignores)";
    std::error_code ec;
    const bool regular = std::filesystem::is_regular_file(name, ec);
    const std::string before = regular ? readFileBytes(name) : std::string();
    const OsOpenResult r = systemFileApi().open(name, GetParam().disposition);
    EXPECT_EQ(r.error, GetParam().code);
    EXPECT_EQ(r.handle, kNoHandle);
    if (regular) {
        EXPECT_EQ(readFileBytes(name), before) << "the refused open changed the file";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Everywhere, OpenRefused,
    ::testing::Values(
        OpenCase{"MissingFile", missingFile, OsDisposition::OpenExisting, 2},
        OpenCase{"MissingFolder", missingFolder, OsDisposition::OpenExisting, 3},
        OpenCase{"MissingFileForReading", missingFile, OsDisposition::OpenForReading, 2},
        OpenCase{"FolderNameForReading", folderName, OsDisposition::OpenForReading, 5},
        OpenCase{"MissingFolderOnCreate", missingFolder, OsDisposition::CreateAlways, 3},
        OpenCase{"ReadOnlyFile", readOnlyFile, OsDisposition::OpenExisting, 5},
        OpenCase{"ReadOnlyFileOnCreate", readOnlyFile, OsDisposition::CreateAlways, 5},
        OpenCase{"FolderName", folderName, OsDisposition::OpenExisting, 5},
        OpenCase{"FolderNameOnCreate", folderName, OsDisposition::CreateAlways, 5}),
    openCaseName);

TEST(FileApi, EveryUseOfNoHandleIsInvalid)
{
    OsFileApi& os = systemFileApi();
    const OsHandle h = kNoHandle;
    char buf[4];
    EXPECT_EQ(os.position(h).error, 6u);
    EXPECT_EQ(os.size(h).error, 6u);
    EXPECT_EQ(os.read(h, buf, 4).error, 6u);
    EXPECT_EQ(os.write(h, buf, 4).error, 6u);
    EXPECT_FALSE(os.close(h));
}

TEST(FileApi, SameFileUnderAnotherNameHasOneIdentity)
{
    ScratchDir dir;
    const std::string name = dir.file("m.rek");
    writeFileBytes(name, "x");
    std::filesystem::create_hard_link(name, dir.file("hard"));
    writeFileBytes(dir.file("other"), "x");
    OsFileApi& os = systemFileApi();
    const auto id = os.identity(name);
    ASSERT_TRUE(id.has_value());
    EXPECT_EQ(os.identity(dir.file("hard")), id);
    EXPECT_NE(os.identity(dir.file("other")), id);
    EXPECT_FALSE(os.identity(dir.file("none")).has_value());
#ifdef _WIN32
    EXPECT_EQ(os.identity(dir.file(".\\m.rek")), id);
    EXPECT_FALSE(os.identity("NUL").has_value());
#else
    // A symbolic link needs a privilege on Windows.
    std::filesystem::create_symlink(name, dir.file("sym"));
    EXPECT_EQ(os.identity(dir.file("sym")), id);
#endif

    const OsOpenResult r = os.open(name, OsDisposition::OpenExisting);
    ASSERT_EQ(r.error, 0u);
    EXPECT_EQ(os.identity(r.handle), id);
    os.close(r.handle);
}

// A name with Polish letters is the file of exactly that name, or, where the system's narrow
// calls cannot hold it (Windows under another code page than 1250), refused with 123: never
// the near match ("lodz.rek") that a best-fit conversion would reach. Run under both code pages.
TEST(FileApi, ANameIsThatFileOrRefusedNeverANearMatch)
{
    ScratchDir dir;
    writeFileBytes(dir.file("lodz.rek"), "inny");
    writeFileBytes(dir.file("zazolc gesla.rek"), "inny");
    OsFileApi& os = systemFileApi();
    for (const std::string name : {"łódź.rek", "zażółć gęślą.rek"}) {
        const OsOpenResult r = os.open(dir.file(name), OsDisposition::CreateAlways);
        if (!systemCanName(dir.file(name))) {
            EXPECT_EQ(r.error, 123u) << name;
            EXPECT_FALSE(fileExists(dir.file(name))) << name;
            continue;
        }
        ASSERT_EQ(r.error, 0u) << name;
        EXPECT_EQ(os.write(r.handle, "rekord", 6).bytes, 6u);
        EXPECT_TRUE(os.close(r.handle));
        EXPECT_EQ(readFileBytes(dir.file(name)), "rekord") << name;
    }
    EXPECT_EQ(readFileBytes(dir.file("lodz.rek")), "inny");
    EXPECT_EQ(readFileBytes(dir.file("zazolc gesla.rek")), "inny");
}

} // namespace
