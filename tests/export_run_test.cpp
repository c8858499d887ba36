#include "export_run.h"
#include "export_writer.h"
#include "file_layer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <map>

namespace boxloom {
namespace {

using testing::dataLines;
using testing::readFile;
using testing::SeasonFixture;
using testing::writeFile;
namespace fs = std::filesystem;

// One position player with a game, enough for a row in every file.
void addOneRecordSeason(SeasonFixture& season) {
    testing::addRivertonOwls(season);
    SeasonStatRecord record = statRecord(1, 7, 1);
    record.set(StatField::BattingGames, 3);
    record.set(StatField::GamesPitched, 1);
    record.set(PositionArray::Games, 1, 2);
    season.addStats(record);
}

struct SwitchCase {
    bool fielding;
    bool pitchingSplits;
    bool hittingSplits;
    std::vector<std::string> files;
};

// Names the case in test output.
void PrintTo(const SwitchCase& c, std::ostream* os) {
    *os << c.fielding << c.pitchingSplits << c.hittingSplits;
}

class FilesOfARun : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(FilesOfARun, FollowTheSwitches) {
    SeasonFixture season;
    addOneRecordSeason(season);
    ExportOptions options;
    options.includeFielding = GetParam().fielding;
    options.includePitchingSplits = GetParam().pitchingSplits;
    options.includeHittingSplits = GetParam().hittingSplits;
    const ExportOutcome outcome = season.run(options);
    ASSERT_TRUE(outcome.succeeded());
    EXPECT_EQ(season.outputFolder.fileNames(), GetParam().files);
}

INSTANTIATE_TEST_SUITE_P(
    EverySwitchCombination, FilesOfARun,
    ::testing::Values(
        SwitchCase{false, false, false, {"Batting_Stats.CSV", "Pitching_Stats.CSV"}},
        SwitchCase{true, false, false, {"Batting_Stats.CSV", "Fielding_Stats.CSV", "Pitching_Stats.CSV"}},
        SwitchCase{false, true, false, {"Batting_Stats.CSV", "Pitching_Splits.CSV", "Pitching_Stats.CSV"}},
        SwitchCase{false, false, true, {"Batting_Splits.CSV", "Batting_Stats.CSV", "Pitching_Stats.CSV"}},
        SwitchCase{true,
                   true,
                   false,
                   {"Batting_Stats.CSV", "Fielding_Stats.CSV", "Pitching_Splits.CSV", "Pitching_Stats.CSV"}},
        SwitchCase{true,
                   false,
                   true,
                   {"Batting_Splits.CSV", "Batting_Stats.CSV", "Fielding_Stats.CSV", "Pitching_Stats.CSV"}},
        SwitchCase{false,
                   true,
                   true,
                   {"Batting_Splits.CSV", "Batting_Stats.CSV", "Pitching_Splits.CSV", "Pitching_Stats.CSV"}},
        SwitchCase{true,
                   true,
                   true,
                   {"Batting_Splits.CSV", "Batting_Stats.CSV", "Fielding_Stats.CSV", "Pitching_Splits.CSV",
                    "Pitching_Stats.CSV"}}));

ExportOptions allFiles() {
    ExportOptions options;
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    return options;
}

TEST(ExportRun, ReportsProcessingThenCompletedAndCountsRows) {
    SeasonFixture season;
    addOneRecordSeason(season);
    std::vector<std::string> statuses;
    const ExportOutcome outcome = season.run(allFiles(), &statuses);
    EXPECT_EQ(statuses, (std::vector<std::string>{"PROCESSING", "COMPLETED"}));
    EXPECT_EQ(outcome.recordsRead, 1u);
    EXPECT_EQ(outcome.recordsAccepted, 1u);
    EXPECT_EQ(outcome.recordsSkipped, 0u);
    for (std::size_t kind = 0; kind < kExportFileKindCount; ++kind) {
        EXPECT_TRUE(outcome.written[kind]);
        EXPECT_EQ(outcome.rowsWritten[kind], 1u) << outcome.fileNames[kind];
    }
}

TEST(ExportRun, TxtAndCsvDifferOnlyInTheName) {
    SeasonFixture season;
    addOneRecordSeason(season);
    ExportOptions options = allFiles();
    ASSERT_TRUE(season.run(options).succeeded());
    options.outputSuffix = "TXT";
    ASSERT_TRUE(season.run(options).succeeded());
    for (const char* stem :
         {"Batting_Stats.", "Pitching_Stats.", "Fielding_Stats.", "Pitching_Splits.", "Batting_Splits."}) {
        const std::string csv = season.output(std::string(stem) + "CSV");
        EXPECT_GT(csv.size(), 0u);
        EXPECT_EQ(season.output(std::string(stem) + "TXT"), csv) << stem;
    }
}

TEST(ExportRun, AnOptionalFileThatIsOffStaysUntouched) {
    SeasonFixture season;
    addOneRecordSeason(season);
    writeFile(season.outputFolder.file("Fielding_Stats.CSV"), "earlier run\r\n");
    ASSERT_TRUE(season.run(ExportOptions{}).succeeded());
    EXPECT_EQ(season.output("Fielding_Stats.CSV"), "earlier run\r\n");
}

TEST(ExportRun, ARerunRewritesEveryFileItWrites) {
    SeasonFixture season;
    addOneRecordSeason(season);
    ASSERT_TRUE(season.run(allFiles()).succeeded());
    const std::string firstBatting = season.output("Batting_Stats.CSV");
    season.stats = LeagueFileBytes{}; // the second season has no records at all
    ASSERT_TRUE(season.run(allFiles()).succeeded());
    const std::string header = firstBatting.substr(0, firstBatting.find("\r\n") + 2);
    EXPECT_EQ(season.output("Batting_Stats.CSV"), header);
}

TEST(ExportRun, EmptyLeagueFilesAreASeasonWithNoRecords) {
    SeasonFixture season;
    const ExportOutcome outcome = season.run(allFiles());
    ASSERT_TRUE(outcome.succeeded());
    EXPECT_EQ(outcome.recordsRead, 0u);
    EXPECT_EQ(
        season.output("Fielding_Stats.CSV"),
        "\"Player\",\"Team\",\"Year\",\"StatType\",\"Pos\",\"Avg\",\"G\",\"GS\",\"PO\",\"A\",\"E\"\r\n");
}

TEST(ExportRun, AcceptsOnlyRecordsInUseWithGames) {
    SeasonFixture season;
    testing::addRivertonOwls(season);
    SeasonStatRecord marked = statRecord(1, 7, 1);
    marked.set(StatField::RecordMarker, 1);
    marked.set(StatField::BattingGames, 10);
    marked.set(StatField::AtBats, 30);
    SeasonStatRecord noGames = statRecord(1, 7, 1);
    noGames.set(PositionArray::Games, 3, 5);
    SeasonStatRecord pitchingOnly = statRecord(1, 7, 1);
    pitchingOnly.set(StatField::GamesPitched, 2);
    for (const auto& record : {marked, noGames, pitchingOnly})
        season.addStats(record);
    const ExportOutcome outcome = season.run(allFiles());
    EXPECT_EQ(outcome.recordsRead, 3u);
    EXPECT_EQ(outcome.recordsAccepted, 1u);
    EXPECT_EQ(outcome.rowsWritten[indexOf(ExportFileKind::BattingStats)], 1u);
    EXPECT_EQ(outcome.rowsWritten[indexOf(ExportFileKind::FieldingStats)], 0u);
}

// Records whose numbers lie outside the tables are skipped and counted; the run still completes.
TEST(ExportRun, SkipsRecordsOutsideTheTables) {
    SeasonFixture season;
    addOneRecordSeason(season);
    const int outside[][3] = {{6001, 7, 1}, {-1, 7, 1}, {1, 101, 1}, {1, -5, 1}, {1, 7, 9}, {1, 7, -1}};
    for (const auto& keys : outside) {
        SeasonStatRecord record = statRecord(keys[0], keys[1], keys[2]);
        record.set(StatField::BattingGames, 1);
        record.set(StatField::GamesPitched, 1);
        record.set(PositionArray::Games, 0, 1);
        season.addStats(record);
    }
    std::vector<std::string> statuses;
    ExportOptions options = allFiles();
    options.pitcherHitting = PitcherHittingMode::GroupByTeam;
    const ExportOutcome outcome = season.run(options, &statuses);
    EXPECT_TRUE(outcome.succeeded());
    EXPECT_EQ(statuses.back(), "COMPLETED");
    EXPECT_EQ(outcome.recordsSkipped, 6u);
    EXPECT_EQ(outcome.recordsAccepted, 1u);
    for (std::size_t kind = 0; kind < kExportFileKindCount; ++kind)
        EXPECT_EQ(outcome.rowsWritten[kind], 1u);
}

class FailedRun : public ::testing::Test {
protected:
    void SetUp() override {
        addOneRecordSeason(season);
        ASSERT_TRUE(season.run(allFiles()).succeeded());
        before = snapshot();
    }
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& name : season.outputFolder.fileNames()) {
            const std::string path = season.outputFolder.file(name);
            files[name] = fs::is_directory(path) ? "<folder>" : readFile(path);
        }
        return files;
    }
    ExportOutcome runAgain(std::vector<std::string>& statuses) {
        ExportOptions options = allFiles();
        options.seasonFolder = season.seasonFolder.str();
        options.outputFolder = season.outputFolder.str();
        return runExport(options, [&](std::string_view status) { statuses.emplace_back(status); });
    }
    SeasonFixture season;
    std::map<std::string, std::string> before;
};

TEST_F(FailedRun, AMissingLeagueFileTouchesNoExportAndIsNotCreated) {
    for (const char* name : {"zelteam.dat", "zelplyr.dat", "zelgs.dat"}) {
        season.writeLeagueFiles();
        fs::remove(season.seasonFolder.file(name));
        std::vector<std::string> statuses;
        const ExportOutcome outcome = runAgain(statuses);
        ASSERT_FALSE(outcome.succeeded());
        ASSERT_EQ(outcome.problems.size(), 1u);
        EXPECT_EQ(outcome.problems[0].file, season.seasonFolder.file(name));
        EXPECT_EQ(outcome.problems[0].reason, "not found");
        EXPECT_EQ(statuses, std::vector<std::string>{"FAILED"});
        EXPECT_FALSE(fs::exists(season.seasonFolder.file(name)));
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(FailedRun, AnEmptySeasonFolderFails) {
    ExportOptions options = allFiles();
    options.outputFolder = season.outputFolder.str();
    std::vector<std::string> statuses;
    const ExportOutcome outcome =
        runExport(options, [&](std::string_view status) { statuses.emplace_back(status); });
    EXPECT_FALSE(outcome.succeeded());
    EXPECT_EQ(statuses, std::vector<std::string>{"FAILED"});
    EXPECT_EQ(snapshot(), before);
}

TEST_F(FailedRun, ALeagueFileThatIsAFolderFails) {
    fs::remove(season.seasonFolder.file("zelgs.dat"));
    fs::create_directory(season.seasonFolder.file("zelgs.dat"));
    std::vector<std::string> statuses;
    const ExportOutcome outcome = runAgain(statuses);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].reason, "is a folder");
    EXPECT_EQ(snapshot(), before);
}

TEST_F(FailedRun, AnExportTargetThatCannotBeReplacedKeepsEveryEarlierFile) {
    fs::remove(season.outputFolder.file("Pitching_Splits.CSV"));
    fs::create_directory(season.outputFolder.file("Pitching_Splits.CSV"));
    before = snapshot();
    std::vector<std::string> statuses;
    const ExportOutcome outcome = runAgain(statuses);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].file, season.outputFolder.file("Pitching_Splits.CSV"));
    EXPECT_EQ(outcome.problems[0].reason, "is a folder");
    EXPECT_EQ(statuses, std::vector<std::string>{"FAILED"});
    EXPECT_EQ(snapshot(), before); // no temporary file left either
}

TEST(ExportRun, AMissingOutputFolderFailsAndNamesTheFile) {
    SeasonFixture season;
    addOneRecordSeason(season);
    season.writeLeagueFiles();
    ExportOptions options;
    options.seasonFolder = season.seasonFolder.str();
    options.outputFolder = season.outputFolder.file("not-there");
    std::vector<std::string> statuses;
    const ExportOutcome outcome =
        runExport(options, [&](std::string_view status) { statuses.emplace_back(status); });
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].file, joinPath(options.outputFolder, "Batting_Stats.CSV"));
    EXPECT_EQ(outcome.problems[0].reason, "not found");
    EXPECT_EQ(statuses, std::vector<std::string>{"FAILED"});
    EXPECT_TRUE(season.outputFolder.fileNames().empty());
}

TEST(ExportRun, FilesGoIntoTheOutputFolderOnly) {
    SeasonFixture season;
    addOneRecordSeason(season);
    ASSERT_TRUE(season.run(ExportOptions{}).succeeded());
    EXPECT_EQ(season.seasonFolder.fileNames(),
              (std::vector<std::string>{"zelgs.dat", "zelplyr.dat", "zelteam.dat"}));
}

TEST(ExportRun, IdColumnsFollowEveryFilesColumns) {
    SeasonFixture season;
    addOneRecordSeason(season);
    season.addPlayer({10, "Al", "Arm", kPitcher});
    season.addStats(testing::statRecord(10, 7, 1, {{StatField::AtBats, 3}, {StatField::GamesPitched, 1}}));
    ExportOptions options = allFiles();
    options.includeIds = true;
    options.pitcherHitting = PitcherHittingMode::GroupByTeam;
    ASSERT_TRUE(season.run(options).succeeded());
    for (const char* name : {"Batting_Stats.CSV", "Pitching_Stats.CSV", "Fielding_Stats.CSV",
                             "Pitching_Splits.CSV", "Batting_Splits.CSV"}) {
        const std::string content = season.output(name);
        EXPECT_NE(content.find(",\"PlayerID\",\"TeamID\"\r\n"), std::string::npos) << name;
        EXPECT_EQ(dataLines(content).front().substr(dataLines(content).front().size() - 4), ",1,7") << name;
    }
    EXPECT_EQ(dataLines(season.output("Batting_Stats.CSV")).back().rfind("\"Pitchers\""), 0u);
    EXPECT_EQ(dataLines(season.output("Batting_Stats.CSV"))
                  .back()
                  .substr(dataLines(season.output("Batting_Stats.CSV")).back().size() - 3),
              ",,7")
        << "a grouped row has no player number";
}

TEST(ExportRun, WithoutIdsOrUtf8NothingChanges) {
    SeasonFixture season;
    addOneRecordSeason(season);
    ASSERT_TRUE(season.run(allFiles()).succeeded());
    const std::string asStored = season.output("Batting_Stats.CSV");
    ExportOptions options = allFiles();
    options.encoding = TextEncoding::Utf8;
    ASSERT_TRUE(season.run(options).succeeded());
    EXPECT_EQ(season.output("Batting_Stats.CSV"), asStored) << "ASCII texts are the same in UTF-8";
    options.encoding = TextEncoding::Utf8WithBom;
    ASSERT_TRUE(season.run(options).succeeded());
    EXPECT_EQ(season.output("Batting_Stats.CSV"), "\xEF\xBB\xBF" + asStored);
}

struct WarningCase {
    const char* name;
    std::size_t statBytes;
    const char* reason;
};

class LeagueFileWarnings : public ::testing::TestWithParam<WarningCase> {};

TEST_P(LeagueFileWarnings, LeaveTheRunSuccessful) {
    SeasonFixture season;
    testing::addRivertonOwls(season);
    season.writeLeagueFiles();
    testing::writeFile(season.seasonFolder.file("zelgs.dat"), std::string(GetParam().statBytes, '\0'));
    const ExportOutcome outcome = runExport(season.options());
    ASSERT_TRUE(outcome.succeeded());
    ASSERT_EQ(outcome.warnings.size(), 1u);
    EXPECT_EQ(outcome.warnings[0].file, season.seasonFolder.file("zelgs.dat"));
    EXPECT_EQ(outcome.warnings[0].reason.rfind(GetParam().reason, 0), 0u) << outcome.warnings[0].reason;
}

INSTANTIATE_TEST_SUITE_P(SeasonFiles, LeagueFileWarnings,
                         ::testing::Values(WarningCase{"Empty", 0, "holds no records"},
                                           WarningCase{"PartialRecord", 302 * 2 + 5,
                                                       "its size is not a whole number of records"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(ExportRun, AWholeSeasonFileGivesNoWarning) {
    SeasonFixture season;
    addOneRecordSeason(season);
    EXPECT_TRUE(season.run(allFiles()).warnings.empty());
}

} // namespace
} // namespace boxloom
