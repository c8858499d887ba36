// The platform room's whole-file and folder calls, and the plain reasons they
// give when they fail.

#include "platform_files.h"
#include "run_identity.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
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
        std::string read = "left from before";
        EXPECT_EQ(readWholeFile(folder.file(c.name), read), c.reason) << c.name;
        EXPECT_EQ(read, c.bytes.value_or("left from before")) << c.name;
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
    EXPECT_NE(removeEmptyFolder(folder.file("a/b")), "") << "it holds c";
    EXPECT_EQ(removeEmptyFolder(folder.file("a/b/c")), "");
    EXPECT_FALSE(std::filesystem::exists(folder.file("a/b/c")));
}

// A move that must never replace: onto a taken name it fails with a reason and
// leaves both files as they were.
TEST(PlatformFiles, MoveIfAbsentNeverReplacesAndSaysWhyItFailed) {
    struct Case {
        const char* what;
        bool targetTaken;
        bool moved;
    };
    for (const Case& c : {Case{"a free name", false, true}, Case{"a taken name", true, false}}) {
        TempFolder folder;
        testing::writeFile(folder.file("from"), "new");
        if (c.targetTaken) testing::writeFile(folder.file("to"), "old");
        const std::string reason = moveIfAbsent(folder.file("from"), folder.file("to"));
        EXPECT_EQ(reason.empty(), c.moved) << c.what << ": " << reason;
        EXPECT_EQ(testing::readFile(folder.file("to")), c.moved ? "new" : "old") << c.what;
        EXPECT_EQ(std::filesystem::exists(folder.file("from")), !c.moved) << c.what;
    }
    TempFolder folder;
    EXPECT_EQ(moveIfAbsent(folder.file("missing"), folder.file("to")), "not found");
}

TEST(PlatformFiles, TheClockSaysUtcInIsoForm) {
    const std::string now = utcNow();
    ASSERT_EQ(now.size(), 20u) << now;
    EXPECT_EQ(now[4], '-');
    EXPECT_EQ(now[10], 'T');
    EXPECT_EQ(now.back(), 'Z');
    EXPECT_GE(now.substr(0, 4), "2024");
}

// A run is its process's number and start: a later process given the number
// (as the first of every container is) is not the run that had it.
TEST(PlatformProcesses, ARunIsToldFromAnotherProcessOfItsNumber) {
    const RunId run = currentRun();
    ASSERT_NE(run.started, 0u) << "this platform cannot tell when a process started";
    EXPECT_EQ(processStartStamp(run.processId), run.started) << "the same on every asking";
    EXPECT_TRUE(runMayBeGoing(run));
    EXPECT_FALSE(runMayBeGoing({run.processId, run.started ^ 1}));
    EXPECT_FALSE(runMayBeGoing({2147483000, run.started})) << "no process has this number";
#ifndef _WIN32
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string own = formatRunId(currentRun());
        ::_exit(::write(channel[1], own.data(), own.size()) == static_cast<ssize_t>(own.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    char text[64] = {};
    const ssize_t got = ::read(channel[0], text, sizeof text - 1);
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    const auto childRun = parseRunId(std::string_view(text, got > 0 ? static_cast<std::size_t>(got) : 0));
    ASSERT_TRUE(childRun) << text;
    EXPECT_EQ(childRun->processId, static_cast<std::uint32_t>(child)) << "a forked child is a run of its own";
    EXPECT_NE(childRun->started, 0u);
    EXPECT_FALSE(runMayBeGoing(*childRun)) << "it has ended";
#endif
}

} // namespace
} // namespace boxloom::platform
