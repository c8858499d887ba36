// boxloom-export.exe started as a Windows process, run under Wine.

#include "demo_season.h"
#include "test_support.h"
#include "win32_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <windows.h>

namespace boxloom {
namespace {

using testing::quoted;
using testing::runProcess;
using testing::runWideProcess;

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

std::wstring widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// A folder named outside the ANSI code page is read, not a look-alike beside it.
TEST(ExportProgram, ReadsAFolderNamedOutsideTheCodePage) {
    namespace fs = std::filesystem;
    testing::TempFolder work, fromOmega, fromCopy;
    const fs::path omega = work.path() / L"\u03A9mega";
    const fs::path lookAlike = work.path() / "Omega";
    for (const fs::path& folder : {omega, lookAlike, work.path() / "copy"})
        fs::create_directories(folder);
    ASSERT_EQ(writeDemoSeason((work.path() / "copy").string(), {5, 120}).error, "");
    ASSERT_EQ(writeDemoSeason(lookAlike.string(), {9, 40}).error, "");
    for (const char* name : {"zelteam.dat", "zelplyr.dat", "zelgs.dat"})
        fs::copy_file(work.path() / "copy" / name, omega / name);
    const std::wstring program = L"\"" + widened(BOXLOOM_EXPORT_EXE) + L"\"";
    ASSERT_EQ(runWideProcess(program + L" -q -o \"" + widened(fromOmega.str()) + L"\" \"" + omega.wstring() +
                             L"\""),
              0);
    ASSERT_EQ(runProcess(quoted(BOXLOOM_EXPORT_EXE) + " -q -o " + quoted(fromCopy.str()) + " " +
                         quoted((work.path() / "copy").string())),
              0);
    EXPECT_EQ(testing::readFile(fromOmega.file("Batting_Stats.CSV")),
              testing::readFile(fromCopy.file("Batting_Stats.CSV")));
}

} // namespace
} // namespace boxloom
