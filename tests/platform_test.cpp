// The platform room's whole-file and folder calls, and the plain reasons they
// give when they fail.

#include "platform_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace boxloom::platform {
namespace {

using testing::TempFolder;

TEST(PlatformFiles, ReadWholeFileGivesTheBytesOrAPlainReason) {
    TempFolder folder;
    const std::string bytes = std::string(200000, 'a') + std::string("\r\n\0end", 6);
    testing::writeFile(folder.file("whole.bin"), bytes);
    std::filesystem::create_directory(folder.file("folder"));
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
#endif
    struct Case {
        std::string name;
        std::optional<std::string> bytes;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"whole.bin", bytes, ""},
        {"missing", std::nullopt, "not found"},
        {"folder", std::nullopt, "is a folder"},
#ifndef _WIN32
        {"pipe", std::nullopt, "not a regular file"},
#endif
    };
    for (const Case& c : cases) {
        std::string reason;
        EXPECT_EQ(readWholeFile(folder.file(c.name), reason), c.bytes) << c.name;
        EXPECT_EQ(reason, c.reason) << c.name;
        EXPECT_EQ(isRegularFile(folder.file(c.name)), c.bytes.has_value()) << c.name;
    }
}

TEST(PlatformFiles, MakeFoldersMakesTheMissingOnesAndRefusesAFileInTheWay) {
    TempFolder folder;
    testing::writeFile(folder.file("file"), "x");
    bool created = false;
    EXPECT_EQ(makeFolders(folder.file("a/b/c"), created), "");
    EXPECT_TRUE(created);
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("a/b/c")));
    EXPECT_EQ(makeFolders(folder.file("a/b"), created), "");
    EXPECT_FALSE(created) << "it was there";
    EXPECT_EQ(makeFolders(folder.file("file"), created), "is not a folder");
    EXPECT_NE(makeFolders(folder.file("file/below"), created), "");
    EXPECT_FALSE(removeEmptyFolder(folder.file("a/b"))) << "it holds c";
    EXPECT_TRUE(removeEmptyFolder(folder.file("a/b/c")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("a/b/c")));
}

TEST(PlatformFiles, TheClockSaysUtcInIsoForm) {
    const std::string now = utcNow();
    ASSERT_EQ(now.size(), 20u) << now;
    EXPECT_EQ(now[4], '-');
    EXPECT_EQ(now[10], 'T');
    EXPECT_EQ(now.back(), 'Z');
    EXPECT_GE(now.substr(0, 4), "2024");
}

} // namespace
} // namespace boxloom::platform
