// The real file layer's failure paths, on this platform's own file system.

#include "demo_season.h"
#include "disturbed_outputs.h"
#include "export_run.h"
#include "file_layer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace boxloom {
namespace {

namespace fs = std::filesystem;
using testing::SeasonFixture;

ExportOptions everyFile() {
    ExportOptions options;
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    return options;
}

void addSeason(SeasonFixture& season) {
    testing::addRivertonOwls(season);
    season.addStats(
        testing::statRecord(1, 7, 1, {{StatField::BattingGames, 3}, {StatField::GamesPitched, 2}}));
}

std::map<std::string, std::string> contents(const testing::TempFolder& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : folder.fileNames())
        if (fs::is_regular_file(folder.file(name))) files[name] = testing::readFile(folder.file(name));
    return files;
}

TEST(FileLayer, AThirdTargetTurnedIntoAFolderMidRunPutsTheFirstTwoBack) {
    SeasonFixture season;
    addSeason(season);
    ASSERT_TRUE(season.run(everyFile()).succeeded());
    std::map<std::string, std::string> earlier = contents(season.outputFolder);
    season.addStats(testing::statRecord(1, 7, 2, {{StatField::BattingGames, 5}}));
    season.writeLeagueFiles();

    testing::DisturbedOutputs outputs(3, [](const std::string& path) {
        fs::remove(path);
        fs::create_directory(path);
    });
    FileSystemLeagueFiles leagueFiles;
    ExportOptions options = everyFile();
    options.seasonFolder = season.seasonFolder.str();
    options.outputFolder = season.outputFolder.str();
    const ExportOutcome all = runExport(options, {}, ExportIo{leagueFiles, outputs});

    ASSERT_EQ(all.problems.size(), 1u);
    EXPECT_EQ(all.problems[0].file, season.outputFolder.file("Fielding_Stats.CSV"));
    EXPECT_EQ(all.problems[0].reason, "is a folder");
    EXPECT_TRUE(all.earlierFilesKept);
    earlier.erase("Fielding_Stats.CSV");
    EXPECT_EQ(contents(season.outputFolder), earlier) << "the first two files were not put back";
    EXPECT_EQ(season.outputFolder.fileNames().size(), kExportFileKindCount) << "a side file was left";
}

TEST(FileLayer, AReadOnlyEarlierExportIsRefusedAndKept) {
    SeasonFixture season;
    addSeason(season);
    ASSERT_TRUE(season.run(everyFile()).succeeded());
    const std::string pitching = season.outputFolder.file("Pitching_Stats.CSV");
    const std::string earlier = testing::readFile(pitching);
    fs::permissions(pitching, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const ExportOutcome outcome = season.run(everyFile());
    fs::permissions(pitching, fs::perms::owner_write, fs::perm_options::add);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].file, pitching);
    EXPECT_EQ(outcome.problems[0].reason, "read-only");
    EXPECT_EQ(testing::readFile(pitching), earlier);
}

TEST(FileLayer, SideFilesOfDeadRunsAreRemovedOthersKept) {
    SeasonFixture season;
    addSeason(season);
    const std::string dead = "2147483000"; // no process has this number
    const std::string own = std::to_string(
#ifdef _WIN32
        GetCurrentProcessId()
#else
        ::getpid()
#endif
    );
    const std::vector<std::string> stale = {"~Batting_Stats.CSV." + dead + "-4.tmp",
                                            "~Pitching_Splits.TXT." + dead + "-0.old"};
    const std::vector<std::string> kept = {"~Batting_Stats.CSV." + own + "-999.tmp",
                                           "~notes.txt." + dead + "-1.tmp",
                                           "Batting_Stats.CSV." + dead + "-1.tmp"};
    testing::writeFile(season.outputFolder.file("Pitching_Splits.TXT"), "earlier");
    for (const auto& name : stale)
        testing::writeFile(season.outputFolder.file(name), "left by a killed run");
    for (const auto& name : kept)
        testing::writeFile(season.outputFolder.file(name), "not ours to remove");

    const ExportOutcome outcome = season.run(ExportOptions{});
    ASSERT_TRUE(outcome.succeeded());
    EXPECT_EQ(outcome.recovery.sideFilesRemoved, stale.size());
    EXPECT_EQ(outcome.recovery.sideFilesRestored, 0u); // Pitching_Splits.TXT holds a file
    for (const auto& name : stale)
        EXPECT_FALSE(fs::exists(season.outputFolder.file(name))) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(season.outputFolder.file(name))) << name;
    EXPECT_EQ(season.output("Pitching_Splits.TXT"), "earlier");
}

TEST(FileLayer, AKeptEarlierFileWhoseNameIsFreeIsPutBack) {
    SeasonFixture season;
    addSeason(season);
    // A run killed between moving the earlier file aside and moving the new one in.
    testing::writeFile(season.outputFolder.file("~Fielding_Stats.TXT.2147483000-2.old"), "earlier");
    const ExportOutcome outcome = season.run(ExportOptions{});
    ASSERT_TRUE(outcome.succeeded());
    EXPECT_EQ(outcome.recovery.sideFilesRemoved, 0u);
    EXPECT_EQ(outcome.recovery.sideFilesRestored, 1u);
    EXPECT_EQ(season.output("Fielding_Stats.TXT"), "earlier");
}

#ifndef _WIN32

// A season of the demo league, cut short so that a run takes little time.
void writeSeason(const testing::TempFolder& folder, std::uint64_t seed) {
    DemoSeasonBytes season = makeDemoSeason({.seed = seed});
    season.stats.resize(300 * kSeasonRecordSize);
    const std::pair<const char*, const std::vector<std::uint8_t>*> files[] = {
        {"zelteam.dat", &season.teams}, {"zelplyr.dat", &season.players}, {"zelgs.dat", &season.stats}};
    for (const auto& [name, bytes] : files)
        testing::writeFile(folder.file(name), std::string(bytes->begin(), bytes->end()));
}

struct CrashCase {
    const char* name;
    bool earlierExport;
    bool everyFile;
};

class CrashedCommit : public ::testing::TestWithParam<CrashCase> {};

// The process dies at the Nth flush, move or removal of its commit, for every
// N; the next run, even one that fails, leaves one whole export.
TEST_P(CrashedCommit, TheNextRunLeavesOneWholeExport) {
    testing::TempFolder seasonA, seasonB, earlier, later;
    writeSeason(seasonA, 1);
    writeSeason(seasonB, 2);
    ExportOptions options = GetParam().everyFile ? everyFile() : ExportOptions{};
    auto exportInto = [&](const testing::TempFolder& season, const std::string& out) {
        ExportOptions run = options;
        run.seasonFolder = season.str();
        run.outputFolder = out;
        return runExport(run);
    };
    ASSERT_TRUE(exportInto(seasonA, earlier.str()).succeeded());
    ASSERT_TRUE(exportInto(seasonB, later.str()).succeeded());
    const auto earlierFiles =
        GetParam().earlierExport ? contents(earlier) : std::map<std::string, std::string>{};
    const auto laterFiles = contents(later);
    int crashes = 0;
    for (int step = 1; step < 200; ++step) {
        testing::TempFolder out;
        if (GetParam().earlierExport) {
            ASSERT_TRUE(exportInto(seasonA, out.str()).succeeded());
        }
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int steps = 0;
            FileSystemOutputs outputs([&] {
                if (++steps == step) ::_exit(3);
            });
            FileSystemLeagueFiles league;
            ExportOptions run = options;
            run.seasonFolder = seasonB.str();
            run.outputFolder = out.str();
            ::_exit(runExport(run, {}, ExportIo{league, outputs}).succeeded() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 0) break; // past the last step
        ASSERT_EQ(WEXITSTATUS(status), 3);
        ++crashes;
        bool recordLeft = false, pendingLeft = false;
        for (const std::string& name : out.fileNames()) {
            recordLeft = recordLeft || (name.starts_with("~boxloom-commit.") && name.ends_with(".txt"));
            pendingLeft = pendingLeft || (name.starts_with("~boxloom-commit.") && name.ends_with(".new"));
        }

        ExportOptions failing = options;
        failing.seasonFolder = out.file("no such season");
        failing.outputFolder = out.str();
        const ExportOutcome outcome = runExport(failing);
        EXPECT_FALSE(outcome.succeeded());
        const auto files = contents(out);
        EXPECT_TRUE(files == earlierFiles || files == laterFiles) << "step " << step << ": a mixed folder";
        EXPECT_EQ(!outcome.recovery.notes.empty(), recordLeft || pendingLeft) << "step " << step;
        if (recordLeft || pendingLeft) {
            ASSERT_EQ(outcome.recovery.notes.size(), 1u);
            EXPECT_EQ(outcome.recovery.notes[0].starts_with("completed an export interrupted at "),
                      recordLeft)
                << outcome.recovery.notes[0];
        }
        ASSERT_TRUE(exportInto(seasonB, out.str()).succeeded());
        EXPECT_TRUE(contents(out) == laterFiles) << "step " << step;
    }
    EXPECT_GE(crashes, GetParam().everyFile ? 12 : 6);
}

INSTANTIATE_TEST_SUITE_P(Cases, CrashedCommit,
                         ::testing::Values(CrashCase{"TwoFilesOverAnEarlierExport", true, false},
                                           CrashCase{"TwoFilesIntoAnEmptyFolder", false, false},
                                           CrashCase{"FiveFilesOverAnEarlierExport", true, true},
                                           CrashCase{"FiveFilesIntoAnEmptyFolder", false, true}),
                         [](const auto& test) { return std::string(test.param.name); });

#endif

#ifndef _WIN32

// Windows says "not found" for such a path.
TEST(FileLayer, APartOfTheSeasonPathThatIsAFileIsNamed) {
    SeasonFixture season;
    addSeason(season);
    season.writeLeagueFiles();
    ExportOptions options = season.options();
    options.seasonFolder = season.seasonFolder.file("zelgs.dat");
    const ExportOutcome outcome = runExport(options);
    ASSERT_FALSE(outcome.problems.empty());
    EXPECT_EQ(outcome.problems[0].reason, "a part of the path is not a folder");
}

TEST(FileLayer, AFifoLeagueFileFailsAtOnce) {
    SeasonFixture season;
    addSeason(season);
    season.writeLeagueFiles();
    fs::remove(season.seasonFolder.file("zelgs.dat"));
    ASSERT_EQ(::mkfifo(season.seasonFolder.file("zelgs.dat").c_str(), 0600), 0);
    const ExportOutcome outcome = runExport(season.options());
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].reason, "not a regular file");
    EXPECT_TRUE(season.outputFolder.fileNames().empty());
}

TEST(FileLayer, AReplacedFileKeepsTheEarlierPermissions) {
    SeasonFixture season;
    addSeason(season);
    ASSERT_TRUE(season.run(ExportOptions{}).succeeded());
    const std::string batting = season.outputFolder.file("Batting_Stats.CSV");
    ASSERT_EQ(::chmod(batting.c_str(), 0640), 0);
    ASSERT_TRUE(season.run(ExportOptions{}).succeeded());
    struct stat info {};
    ASSERT_EQ(::stat(batting.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Runs the export in a child process under a file-size limit; the child's exit
// status says whether the reason was the expected one.
TEST(FileLayer, AFileSizeLimitIsNamed) {
    SeasonFixture season;
    addSeason(season);
    season.writeLeagueFiles();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const ExportOutcome outcome = runExport(season.options());
        bool named = !outcome.problems.empty();
        for (const ExportProblem& problem : outcome.problems)
            named = named && problem.reason == "file too large for the file system or a size limit";
        ::_exit(named ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(season.outputFolder.fileNames().empty());
}

TEST(FileLayer, AFullDiskFailsTheRunAndLeavesNothing) {
    testing::MountedFolder disk("size=64k");
    if (!disk.whyNot().empty()) GTEST_SKIP() << disk.whyNot();
    SeasonFixture season;
    addSeason(season);
    for (int player = 2; player < 2000; ++player)
        season.addStats(testing::statRecord(1, 7, 1, {{StatField::BattingGames, 1}}));
    season.writeLeagueFiles();
    ExportOptions options = season.options();
    options.outputFolder = disk.str();
    const ExportOutcome outcome = runExport(options);
    ASSERT_FALSE(outcome.problems.empty());
    EXPECT_EQ(outcome.problems[0].reason, "disk full");
    EXPECT_TRUE(fs::is_empty(disk.str()));
}

TEST(FileLayer, AReadOnlyOutputFolderFailsTheRunAndKeepsTheEarlierFiles) {
    testing::MountedFolder disk("size=1m");
    if (!disk.whyNot().empty()) GTEST_SKIP() << disk.whyNot();
    SeasonFixture season;
    addSeason(season);
    season.writeLeagueFiles();
    ExportOptions options = season.options();
    options.outputFolder = disk.str();
    ASSERT_TRUE(runExport(options).succeeded());
    const std::string earlier = testing::readFile(disk.str() + "/Batting_Stats.CSV");
    disk.remountReadOnly();
    const ExportOutcome outcome = runExport(options);
    ASSERT_FALSE(outcome.problems.empty());
    EXPECT_EQ(outcome.problems[0].reason, "read-only file system");
    EXPECT_EQ(testing::readFile(disk.str() + "/Batting_Stats.CSV"), earlier);
}

#endif

} // namespace
} // namespace boxloom
