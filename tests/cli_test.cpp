#include "cli_main.h"
#include "cli_options.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

#include <sstream>

namespace boxloom::cli {
namespace {

struct UsageErrorCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* message;
};

// Names the case in test output.
void PrintTo(const UsageErrorCase& c, std::ostream* os) { *os << c.name; }

class UsageErrors : public ::testing::TestWithParam<UsageErrorCase> {};

TEST_P(UsageErrors, ExitWithTwoAndExplain) {
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine(GetParam().arguments, out, err), 2);
    EXPECT_NE(err.str().find(GetParam().message), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("Usage: boxloom-export"), std::string::npos);
    EXPECT_EQ(out.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    BadCommandLines, UsageErrors,
    ::testing::Values(UsageErrorCase{"NoFolder", {}, "missing SEASON_FOLDER"},
                      UsageErrorCase{"TwoFolders", {"a", "b"}, "more than one SEASON_FOLDER"},
                      UsageErrorCase{"UnknownOption", {"--colour", "a"}, "unknown option '--colour'"},
                      UsageErrorCase{"BadSuffix", {"--suffix", "XLS", "a"}, "--suffix must be TXT or CSV"},
                      UsageErrorCase{"BadTeams", {"--teams=town", "a"}, "--teams must be city|nickname"},
                      UsageErrorCase{"BadMode", {"--pitcher-hitting", "all", "a"}, "include|group|ignore"},
                      UsageErrorCase{"MissingValue", {"a", "--output"}, "option --output needs a value"},
                      UsageErrorCase{"ValueOnFlag", {"--all=yes", "a"}, "--all takes no value"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CommandLine, DefaultsAreTheWindowsInitialState) {
    const CliCommand command = parseCommandLine({"season"});
    ASSERT_EQ(command.action, CliAction::Export);
    EXPECT_EQ(command.options.seasonFolder, "season");
    EXPECT_EQ(command.options.outputFolder, "");
    EXPECT_EQ(command.options.outputSuffix, "CSV");
    EXPECT_EQ(command.options.teamNotation, TeamNotation::CityAndNickname);
    EXPECT_EQ(command.options.pitcherHitting, PitcherHittingMode::Include);
    EXPECT_FALSE(command.options.includeFielding || command.options.includePitchingSplits ||
                 command.options.includeHittingSplits);
}

TEST(CommandLine, EveryOptionReachesTheExportOptions) {
    const CliCommand command = parseCommandLine({"-o", "out", "--suffix", "txt", "--teams", "abbreviation",
                                                 "--pitcher-hitting=group", "--all", "--", "-odd"});
    ASSERT_EQ(command.action, CliAction::Export) << command.error;
    EXPECT_EQ(command.options.seasonFolder, "-odd");
    EXPECT_EQ(command.options.outputFolder, "out");
    EXPECT_EQ(command.options.outputSuffix, "TXT");
    EXPECT_EQ(command.options.teamNotation, TeamNotation::Abbreviation);
    EXPECT_EQ(command.options.pitcherHitting, PitcherHittingMode::GroupByTeam);
    EXPECT_TRUE(command.options.includeFielding && command.options.includePitchingSplits &&
                command.options.includeHittingSplits);
    const CliCommand notation = parseCommandLine({"--teams", "none", "--pitcher-hitting", "ignore", "x"});
    EXPECT_EQ(notation.options.teamNotation, TeamNotation::None);
    EXPECT_EQ(notation.options.pitcherHitting, PitcherHittingMode::Ignore);
}

TEST(CommandLine, HelpAndVersionExitWithZero) {
    for (const char* flag : {"-h", "--help", "--version"}) {
        std::ostringstream out, err;
        EXPECT_EQ(runCommandLine({flag}, out, err), 0) << flag;
        EXPECT_FALSE(out.str().empty());
        EXPECT_EQ(err.str(), "");
    }
}

TEST(CommandLine, ASuccessfulRunListsEveryFileWithItsRows) {
    testing::SeasonFixture season;
    testing::addRivertonOwls(season);
    SeasonStatRecord record = statRecord(1, 7, 1);
    record.set(StatField::BattingGames, 1);
    season.addStats(record);
    season.writeLeagueFiles();
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"--hitting-splits", "-o", season.outputFolder.str(), season.seasonFolder.str()},
                             out, err),
              0);
    EXPECT_EQ(out.str(), season.outputFolder.file("Batting_Stats.CSV") + ": 1 row\n" +
                             season.outputFolder.file("Pitching_Stats.CSV") + ": 0 rows\n" +
                             season.outputFolder.file("Batting_Splits.CSV") + ": 1 row\n");
    EXPECT_EQ(err.str(), "");
}

TEST(CommandLine, SkippedRecordsGiveOneWarningLine) {
    testing::SeasonFixture season;
    for (int team : {101, 102}) {
        SeasonStatRecord record = statRecord(1, team, 1);
        record.set(StatField::BattingGames, 1);
        season.addStats(record);
    }
    season.writeLeagueFiles();
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"-o", season.outputFolder.str(), season.seasonFolder.str()}, out, err), 0);
    EXPECT_EQ(err.str(), "boxloom-export: warning: 2 records were skipped: player, team or stat type number "
                         "outside the league tables\n");
}

TEST(CommandLine, AFailedRunExitsWithOneAndNamesEachProblem) {
    testing::TempFolder empty;
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"-o", empty.str(), empty.str()}, out, err), 1);
    for (const char* name : {"zelteam.dat", "zelplyr.dat", "zelgs.dat"})
        EXPECT_NE(err.str().find(empty.file(name) + ": not found"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(empty.fileNames().empty());
}

TEST(CommandLine, SaysHowManyTemporaryFilesOfKilledRunsItRemoved) {
    testing::SeasonFixture season;
    testing::addRivertonOwls(season);
    season.writeLeagueFiles();
    for (const char* name : {"~Batting_Stats.CSV.2147483000-1.tmp", "~Pitching_Stats.CSV.2147483000-2.tmp"})
        testing::writeFile(season.outputFolder.file(name), "left by a killed run");
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"-o", season.outputFolder.str(), season.seasonFolder.str()}, out, err), 0);
    EXPECT_EQ(err.str(), "boxloom-export: removed 2 temporary files left by an interrupted export\n");
    EXPECT_EQ(season.outputFolder.fileNames(),
              (std::vector<std::string>{"Batting_Stats.CSV", "Pitching_Stats.CSV"}));
}

} // namespace
} // namespace boxloom::cli
