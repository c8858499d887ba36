// Sharing rules of the Windows file layer, run under Wine.

#include "disturbed_outputs.h"
#include "export_run.h"
#include "file_layer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include <windows.h>

namespace boxloom {
namespace {

// Another program's handle on a file, for as long as the object lives.
class HeldFile {
public:
    HeldFile(const std::string& path, DWORD access, DWORD sharing)
        : handle_(CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr)) {}
    ~HeldFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

TEST(Win32Files, LeagueFilesAllowOtherReadersButNotWriters) {
    testing::TempFolder folder;
    testing::writeFile(folder.file("zelgs.dat"), std::string(302, '\0'));
    {
        HeldFile reader(folder.file("zelgs.dat"), GENERIC_READ, FILE_SHARE_READ);
        ASSERT_TRUE(reader.held());
        ReadOnlyFile file;
        EXPECT_EQ(file.open(folder.file("zelgs.dat")), "");
    }
    HeldFile writer(folder.file("zelgs.dat"), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer.held());
    ReadOnlyFile file;
    EXPECT_EQ(file.open(folder.file("zelgs.dat")), "in use by another program");
}

TEST(Win32Files, AnExportFileHeldByAnotherProgramFailsTheRunAndKeepsItsContent) {
    testing::SeasonFixture season;
    testing::addRivertonOwls(season);
    ASSERT_TRUE(season.run(ExportOptions{}).succeeded());
    const std::string earlier = season.output("Pitching_Stats.CSV");
    HeldFile spreadsheet(season.outputFolder.file("Pitching_Stats.CSV"), GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(spreadsheet.held());
    const ExportOutcome outcome = season.run(ExportOptions{});
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].file, season.outputFolder.file("Pitching_Stats.CSV"));
    EXPECT_EQ(outcome.problems[0].reason, "in use by another program");
    EXPECT_EQ(season.output("Pitching_Stats.CSV"), earlier);
    EXPECT_EQ(season.outputFolder.fileNames(),
              (std::vector<std::string>{"Batting_Stats.CSV", "Pitching_Stats.CSV"}));
}

// A spreadsheet opens the third file after the run's first check: the files
// already moved are put back, and the reason is the real one.
TEST(Win32Files, AFileOpenedByAnotherProgramMidRunPutsTheSetBack) {
    testing::SeasonFixture season;
    testing::addRivertonOwls(season);
    season.addStats(testing::statRecord(1, 7, 1, {{StatField::BattingGames, 3}}));
    ExportOptions options;
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    ASSERT_TRUE(season.run(options).succeeded());
    std::map<std::string, std::string> earlier;
    for (const std::string& name : season.outputFolder.fileNames())
        earlier[name] = season.output(name);
    season.addStats(testing::statRecord(1, 7, 2, {{StatField::BattingGames, 4}}));
    season.writeLeagueFiles();

    std::unique_ptr<HeldFile> spreadsheet;
    testing::DisturbedOutputs outputs(3, [&](const std::string& path) {
        spreadsheet = std::make_unique<HeldFile>(path, GENERIC_READ, FILE_SHARE_READ);
    });
    FileSystemLeagueFiles leagueFiles;
    options.seasonFolder = season.seasonFolder.str();
    options.outputFolder = season.outputFolder.str();
    const ExportOutcome outcome = runExport(options, {}, ExportIo{leagueFiles, outputs});
    spreadsheet.reset();

    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].file, season.outputFolder.file("Fielding_Stats.CSV"));
    EXPECT_EQ(outcome.problems[0].reason, "in use by another program");
    EXPECT_TRUE(outcome.earlierFilesKept);
    std::map<std::string, std::string> now;
    for (const std::string& name : season.outputFolder.fileNames())
        now[name] = season.output(name);
    EXPECT_EQ(now, earlier);
}

TEST(Win32Files, APathBeyondTheLimitIsTooLong) {
    testing::TempFolder folder;
    ReadOnlyFile file;
    EXPECT_EQ(file.open(folder.file(std::string(300, 'x'))), "path too long");
}

TEST(Win32Files, ADeviceIsNotALeagueFile) {
    ReadOnlyFile file;
    EXPECT_EQ(file.open("NUL"), "not a regular file");
}

TEST(Win32Files, AMissingLeagueFileIsNeverCreated) {
    testing::TempFolder folder;
    ReadOnlyFile file;
    EXPECT_EQ(file.open(folder.file("zelteam.dat")), "not found");
    EXPECT_TRUE(folder.fileNames().empty());
}

} // namespace
} // namespace boxloom
