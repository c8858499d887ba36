#include "cli_main.h"
#include "cli_options.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <functional>
#include <sstream>
#include <streambuf>

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

TEST_P(UsageErrors, ExitWithTwoAndOneLineThatNamesTheProblem) {
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine(GetParam().arguments, out, err), 2);
    const std::string firstLine = err.str().substr(0, err.str().find('\n'));
    EXPECT_EQ(firstLine.rfind("boxloom-export: ", 0), 0u) << firstLine;
    EXPECT_NE(firstLine.find(GetParam().message), std::string::npos) << firstLine;
    EXPECT_EQ(err.str().substr(firstLine.size()), "\nTry 'boxloom-export --help' for more information.\n");
    EXPECT_EQ(out.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    BadCommandLines, UsageErrors,
    ::testing::Values(
        UsageErrorCase{"NoFolder", {}, "missing SEASON_FOLDER"},
        UsageErrorCase{"TwoFolders", {"a", "b"}, "more than one SEASON_FOLDER"},
        UsageErrorCase{"EmptyFolder", {""}, "an empty SEASON_FOLDER"},
        UsageErrorCase{"EmptyFolderIntoADatabase", {"--database", "x.db", "a", ""}, "an empty SEASON_FOLDER"},
        UsageErrorCase{"UnknownOption", {"--colour", "a"}, "unknown option '--colour'"},
        UsageErrorCase{"BadSuffix", {"--suffix", "XLS", "a"}, "--suffix must be TXT or CSV"},
        UsageErrorCase{"BadTeams", {"--teams=town", "a"}, "--teams must be city|nickname"},
        UsageErrorCase{"BadMode", {"--pitcher-hitting", "all", "a"}, "include|group|ignore"},
        UsageErrorCase{"MissingValue", {"a", "--output"}, "option --output needs a value"},
        UsageErrorCase{"ValueOnFlag", {"--all=yes", "a"}, "--all takes no value"},
        UsageErrorCase{"NoThreads", {"--threads", "0", "a"}, "--threads must be a whole number"},
        UsageErrorCase{"ThreadsNotANumber", {"--threads=two", "a"}, "--threads must be a whole number"},
        UsageErrorCase{"BadEncoding",
                       {"--encoding", "latin-1", "a"},
                       "--encoding must be windows-1252|utf-8|utf-8-sig, not 'latin-1'"},
        UsageErrorCase{"OutputWithDatabase",
                       {"--database", "l.db", "-oout", "a"},
                       "option --output does nothing with --database"},
        UsageErrorCase{"AllWithDatabase", {"--all", "--database=l.db", "a"}, "option --all does nothing"},
        UsageErrorCase{"ReplaceWithoutDatabase", {"--replace", "a"}, "--replace goes with --database"},
        UsageErrorCase{"EncodingWithDatabase",
                       {"--database=l.db", "--encoding", "utf-8", "a"},
                       "option --encoding does nothing"},
        UsageErrorCase{"ListWithoutDatabase", {"--list-seasons"}, "--list-seasons goes with --database"},
        UsageErrorCase{"ListWithAFolder",
                       {"--database", "l.db", "--list-seasons", "2031"},
                       "--list-seasons takes no SEASON_FOLDER: '2031'"},
        UsageErrorCase{"RemoveWithoutDatabase", {"--remove-season", "2031"}, "goes with --database"},
        UsageErrorCase{"RemoveAndReplace",
                       {"--database", "l.db", "--replace", "--remove-season", "2031"},
                       "--replace goes with an import, not --remove-season"},
        UsageErrorCase{"ListAndRemove",
                       {"--database", "l.db", "--list-seasons", "--remove-season", "2031"},
                       "are two calls"},
        UsageErrorCase{"TwoFoldersOfOneName",
                       {"--database", "l.db", "x/2031", "y/2030", "z/2031"},
                       "'x/2031' and 'z/2031' would both be season '2031'"}),
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

struct ValueCase {
    const char* name;
    std::vector<std::string> arguments;
    std::function<bool(const CliCommand&)> holds;
};

class OptionValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(OptionValues, AreReadAsUsersOfGnuToolsExpect) {
    const CliCommand command = parseCommandLine(GetParam().arguments);
    ASSERT_EQ(command.action, CliAction::Export) << command.error;
    EXPECT_TRUE(GetParam().holds(command));
}

INSTANTIATE_TEST_SUITE_P(
    Conventions, OptionValues,
    ::testing::Values(
        ValueCase{"AttachedOutput",
                  {"-oout dir", "s"},
                  [](const CliCommand& c) { return c.options.outputFolder == "out dir"; }},
        ValueCase{"UpperCaseTeams",
                  {"--teams", "CITY", "s"},
                  [](const CliCommand& c) { return c.options.teamNotation == TeamNotation::City; }},
        ValueCase{
            "MixedCaseMode",
            {"--pitcher-hitting=Group", "s"},
            [](const CliCommand& c) { return c.options.pitcherHitting == PitcherHittingMode::GroupByTeam; }},
        ValueCase{"Utf8",
                  {"--encoding", "UTF-8", "s"},
                  [](const CliCommand& c) { return c.options.encoding == TextEncoding::Utf8; }},
        ValueCase{"Utf8WithMark",
                  {"--encoding=utf-8-sig", "s"},
                  [](const CliCommand& c) { return c.options.encoding == TextEncoding::Utf8WithBom; }},
        ValueCase{"StoredBytesByDefault",
                  {"s"},
                  [](const CliCommand& c) {
                      return c.options.encoding == TextEncoding::Windows1252 && !c.options.includeIds &&
                             !c.quiet;
                  }},
        ValueCase{"Ids", {"--ids", "s"}, [](const CliCommand& c) { return c.options.includeIds; }},
        ValueCase{"QuietShort", {"-q", "s"}, [](const CliCommand& c) { return c.quiet; }},
        ValueCase{
            "Threads", {"--threads", "3", "s"}, [](const CliCommand& c) { return c.options.threads == 3; }},
        ValueCase{"ThreadsByDefault", {"s"}, [](const CliCommand& c) { return c.options.threads == 0; }},
        ValueCase{"QuietLong", {"--quiet", "s"}, [](const CliCommand& c) { return c.quiet; }}),
    [](const auto& param) { return std::string(param.param.name); });

// Help stops the reading: what follows it is not judged.
TEST(CommandLine, HelpListsEveryOptionAndWinsOverWhatFollows) {
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"--help", "--colour"}, out, err), 0);
    for (const char* line :
         {"\n  -o, --output DIR      folder for the export files",
          "\n  --teams city|nickname|abbreviation|city-nickname|none\n"
          "                        (default city-nickname)\n",
          "\n  -q, --quiet           print nothing", "\n  --version             show the version\n"})
        EXPECT_NE(out.str().find(line), std::string::npos) << line;
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
    season.addStats(testing::statRecord(1, 7, 1, {{StatField::BattingGames, 1}}));
    season.writeLeagueFiles();
    for (const char* name : {"~Batting_Stats.CSV.2147483000-1.tmp", "~Pitching_Stats.CSV.2147483000-2.tmp"})
        testing::writeFile(season.outputFolder.file(name), "left by a killed run");
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"-o", season.outputFolder.str(), season.seasonFolder.str()}, out, err), 0);
    EXPECT_EQ(err.str(), "boxloom-export: removed 2 temporary files left by an interrupted export\n");
    EXPECT_EQ(season.outputFolder.fileNames(),
              (std::vector<std::string>{"Batting_Stats.CSV", "Pitching_Stats.CSV"}));
}

// A record the run leaves alone is said also when the run fails.
TEST(CommandLine, AFailedRunStillSaysWhatItLeftAlone) {
    testing::TempFolder output, empty;
    testing::writeFile(output.file("~boxloom-commit.2147483000.txt"), "not a record");
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"-o", output.str(), empty.str()}, out, err), 1);
    EXPECT_NE(err.str().find("boxloom-export: export FAILED"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("boxloom-export: warning: " + output.file("~boxloom-commit.2147483000.txt") +
                             ": left alone"),
              std::string::npos)
        << err.str();
}

TEST(CommandLine, ADatabaseImportSaysHowManyRowsEachSeasonGot) {
    testing::SeasonFixture season;
    testing::addRivertonOwls(season);
    season.addStats(
        testing::statRecord(1, 7, 1, {{StatField::BattingGames, 1}, {StatField::GamesPitched, 1}}));
    season.writeLeagueFiles();
    const std::string database = season.outputFolder.file("league.db");
    std::ostringstream out, err;
    EXPECT_EQ(
        runCommandLine({"--database", database, "--season", "1986", season.seasonFolder.str()}, out, err), 0)
        << err.str();
    EXPECT_EQ(out.str(), "created " + database + "\n" + database + ": season 1986: 4 rows\n");
    EXPECT_EQ(season.outputFolder.fileNames(), std::vector<std::string>{"league.db"}) << "no export files";
    std::ostringstream replacing, quiet;
    EXPECT_EQ(runCommandLine({"--database", database, "--season", "1986", season.seasonFolder.str()},
                             replacing, quiet),
              0);
    EXPECT_EQ(replacing.str(), database + ": season 1986: 4 rows\n" + database +
                                   ": replaced season 1986 (1 batting line; it held 1)\n");
    std::ostringstream again, problems;
    testing::writeFile(database, "not a database at all");
    EXPECT_EQ(runCommandLine({"--database", database, season.seasonFolder.str()}, again, problems), 1);
    EXPECT_EQ(problems.str(), "boxloom-export: " + database +
                                  ": not a SQLite database\nboxloom-export: import FAILED; " + database +
                                  " was left as it was\n");
}

// Seasons listed, then two removed by one call, then a call naming one that
// is not there, which changes nothing.
TEST(CommandLine, SeasonsAreListedAndRemovedAllOrNone) {
    testing::SeasonFixture season;
    testing::addRivertonOwls(season);
    season.addStats(testing::statRecord(1, 7, 1, {{StatField::BattingGames, 1}}));
    season.writeLeagueFiles();
    const std::string database = season.outputFolder.file("league.db");
    std::ostringstream out, err;
    for (const char* label : {"1986", "1987", "1988"})
        ASSERT_EQ(
            runCommandLine({"--database", database, "--season", label, season.seasonFolder.str()}, out, err),
            0)
            << err.str();
    auto run = [&](std::vector<std::string> arguments, int status) {
        std::ostringstream said, problems;
        arguments.insert(arguments.begin(), {"--database", database});
        EXPECT_EQ(runCommandLine(arguments, said, problems), status) << problems.str();
        return said.str() + problems.str();
    };
    const std::string listed = run({"--list-seasons"}, 0);
    EXPECT_EQ(listed.substr(0, listed.find('\n')), "Label  Year  Teams  Players  Rows  Games  Imported");
    EXPECT_EQ(listed.substr(listed.find('\n') + 1, 33), "1986   1986      1        1     2") << listed;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 4);
    const std::string before = testing::readFile(database);
    EXPECT_EQ(run({"--remove-season", "1986", "1999"}, 1),
              "boxloom-export: " + database + ": no season \"1999\"\nboxloom-export: removal FAILED; " +
                  database + " was left as it was\n");
    EXPECT_TRUE(testing::readFile(database) == before);
    EXPECT_EQ(run({"--remove-season", "1986", "1988"}, 0),
              database + ": removed season 1986 (1 team, 1 player, 2 rows)\n" + database +
                  ": removed season 1988 (1 team, 1 player, 2 rows)\n");
    const std::string left = run({"--list-seasons"}, 0);
    EXPECT_EQ(left.substr(left.find('\n') + 1, 4), "1987");
    EXPECT_EQ(std::count(left.begin(), left.end(), '\n'), 2);
}

// A standard output that refuses every byte, like > /dev/full.
class RefusingBuffer : public std::streambuf {
protected:
    int overflow(int) override { return traits_type::eof(); }
};

TEST(CommandLine, AFailedWriteToStandardOutputFailsTheRun) {
    testing::SeasonFixture season;
    testing::addRivertonOwls(season);
    season.addStats(testing::statRecord(1, 7, 1, {{StatField::BattingGames, 1}}));
    season.writeLeagueFiles();
    RefusingBuffer refusing;
    std::ostream out(&refusing);
    std::ostringstream err;
    EXPECT_EQ(runCommandLine({"-o", season.outputFolder.str(), season.seasonFolder.str()}, out, err), 1);
    EXPECT_EQ(err.str(), "boxloom-export: write error on standard output\n");
    std::ostream help(&refusing);
    EXPECT_EQ(runCommandLine({"--help"}, help, err), 1);
}

TEST(CommandLine, QuietPrintsNothingButProblemsAndWarnings) {
    testing::SeasonFixture season;
    testing::addRivertonOwls(season);
    season.writeLeagueFiles(); // no statistics records: a warning
    std::ostringstream out, err;
    const std::string folder = season.outputFolder.file("new");
    EXPECT_EQ(runCommandLine({"-q", "-o", folder, season.seasonFolder.str()}, out, err), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("warning: " + season.seasonFolder.file("zelgs.dat") + ": holds no records"),
              std::string::npos)
        << err.str();
}

struct OutputFolderCase {
    const char* name;
    std::string (*prepare)(const testing::TempFolder& where); // returns the -o value
    int status;
    const char* says; // on standard output (0) or standard error (1)
};

class OutputFolders : public ::testing::TestWithParam<OutputFolderCase> {};

TEST_P(OutputFolders, AreCreatedOrRefusedClearly) {
    testing::SeasonFixture season;
    testing::addRivertonOwls(season);
    season.addStats(testing::statRecord(1, 7, 1, {{StatField::BattingGames, 1}}));
    season.writeLeagueFiles();
    const std::string folder = GetParam().prepare(season.outputFolder);
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"-o", folder, season.seasonFolder.str()}, out, err), GetParam().status);
    const std::string& said = GetParam().status == 0 ? out.str() : err.str();
    EXPECT_NE(said.find(folder + GetParam().says), std::string::npos) << said;
    if (GetParam().status == 0) {
        EXPECT_TRUE(std::filesystem::exists(folder + "/Batting_Stats.CSV"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputFolders,
    ::testing::Values(OutputFolderCase{"Missing",
                                       [](const testing::TempFolder& where) { return where.file("new"); }, 0,
                                       ""},
                      OutputFolderCase{"MissingParents",
                                       [](const testing::TempFolder& where) { return where.file("a/b/c"); },
                                       0, ""},
                      OutputFolderCase{"AFile",
                                       [](const testing::TempFolder& where) {
                                           testing::writeFile(where.file("plain"), "x");
                                           return where.file("plain");
                                       },
                                       1, ": is not a folder"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CommandLine, ACreatedFolderIsAnnounced) {
    testing::SeasonFixture season;
    testing::addRivertonOwls(season);
    season.addStats(testing::statRecord(1, 7, 1, {{StatField::BattingGames, 1}}));
    season.writeLeagueFiles();
    const std::string folder = season.outputFolder.file("fresh");
    std::ostringstream out, err;
    ASSERT_EQ(runCommandLine({"-o", folder, season.seasonFolder.str()}, out, err), 0);
    EXPECT_EQ(out.str().rfind("created folder " + folder + "\n", 0), 0u) << out.str();
}

} // namespace
} // namespace boxloom::cli
