// boxloom-export.exe started as a Windows process, run under Wine.

#include "demo_season.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace boxloom {
namespace {

// Runs a command line and returns the exit code, or -1 when it cannot start.
int runProcess(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

TEST(ExportProgram, RunsAsAWindowsProcess) {
    const std::string program = quoted(BOXLOOM_EXPORT_EXE);
    EXPECT_EQ(runProcess(program + " --version"), 0);
    EXPECT_EQ(runProcess(program), 2);
    testing::TempFolder season, output;
    EXPECT_EQ(runProcess(program + " -o " + quoted(output.str()) + " " + quoted(season.str())), 1);
    EXPECT_TRUE(output.fileNames().empty());
    ASSERT_EQ(writeDemoSeason(season.str(), {2, 200}).error, "");
    EXPECT_EQ(
        runProcess(program + " --all --suffix TXT -o " + quoted(output.str()) + " " + quoted(season.str())),
        0);
    EXPECT_EQ(output.fileNames(),
              (std::vector<std::string>{"Batting_Splits.TXT", "Batting_Stats.TXT", "Fielding_Stats.TXT",
                                        "Pitching_Splits.TXT", "Pitching_Stats.TXT"}));
}

} // namespace
} // namespace boxloom
