#include "batting_rows.h"
#include "export_run.h"
#include "export_writer.h"
#include "fielding_rows.h"
#include "memory_io.h"
#include "paths.h"
#include "pitcher_totals.h"
#include "pitching_rows.h"
#include "rates.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace boxloom {
namespace {

using testing::MemoryOutputs;

using testing::dataLines;
using testing::SeasonFixture;
using SF = StatField;

constexpr const char* kIdentity = "\"Smith,John\",\"Riverton Owls\",\" 1986\",\"Regular\"";

ExportOptions allFiles(PitcherHittingMode mode = PitcherHittingMode::Include) {
    ExportOptions options;
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    options.pitcherHitting = mode;
    return options;
}

// Runs a season of one record by Smith,John of the 1986 Riverton Owls.
class OneRecord : public ::testing::Test {
protected:
    std::vector<std::string> export1(const SeasonStatRecord& record, const char* file,
                                     ExportOptions options = allFiles()) {
        SeasonFixture season;
        testing::addRivertonOwls(season);
        season.addStats(record);
        EXPECT_TRUE(season.run(options).succeeded());
        return dataLines(season.output(file));
    }
    std::string onlyLine(const SeasonStatRecord& record, const char* file) {
        const auto lines = export1(record, file);
        return lines.size() == 1 ? lines[0] : "<" + std::to_string(lines.size()) + " lines>";
    }
};

TEST_F(OneRecord, BattingRowOfSmithJohn) {
    const auto record = testing::statRecord(1, 7, 1,
                                            {{SF::BattingGames, 150},
                                             {SF::AtBats, 500},
                                             {SF::Runs, 80},
                                             {SF::RunsBattedIn, 90},
                                             {SF::Hits, 150},
                                             {SF::Doubles, 30},
                                             {SF::Triples, 5},
                                             {SF::HomeRuns, 20},
                                             {SF::HitByPitch, 5},
                                             {SF::Strikeouts, 100},
                                             {SF::Walks, 60},
                                             {SF::IntentionalWalks, 4},
                                             {SF::StolenBases, 10},
                                             {SF::CaughtStealing, 3},
                                             {SF::GameWinningRbi, 12},
                                             {SF::SacrificeHits, 1},
                                             {SF::SacrificeFlies, 5},
                                             {SF::GroundedDoublePlays, 11},
                                             {SF::CatchersInterference, 0}});
    EXPECT_EQ(onlyLine(record, "Batting_Stats.CSV"),
              std::string(kIdentity) +
                  ",150,500,80,90,150,30,5,20,5,100,60,4,10,3,12,1,5,11,0,\"0.300\",\"0.377\",\"0.500\"");
}

struct RateCase {
    const char* name;
    std::vector<testing::Counter> counters;
    const char* tail; // the last fields of the row
};

// Names the case in test output.
void PrintTo(const RateCase& c, std::ostream* os) { *os << c.name; }

class BattingRates : public OneRecord, public ::testing::WithParamInterface<RateCase> {};

TEST_P(BattingRates, AreGuardedAndMasked) {
    auto record = testing::statRecord(1, 7, 1, {{SF::BattingGames, 1}});
    for (const auto& counter : GetParam().counters)
        record.set(counter.field, counter.value);
    const std::string line = onlyLine(record, "Batting_Stats.CSV");
    const std::string tail = GetParam().tail;
    EXPECT_EQ(line.substr(line.size() - std::min(line.size(), tail.size())), tail) << line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BattingRates,
    ::testing::Values(
        RateCase{"WalksOnly", {{SF::Walks, 2}}, "\"0.000\",\"1.000\",\"0.000\""},
        RateCase{"HitlessAtBats", {{SF::AtBats, 4}}, "\"0.000\",\"0.000\",\"0.000\""},
        RateCase{"OneInThree", {{SF::AtBats, 3}, {SF::Hits, 1}}, "\"0.333\",\"0.333\",\"0.333\""},
        RateCase{"HitsWithoutAtBats", {{SF::Hits, 5}, {SF::HomeRuns, 2}}, ",0,\"0.000\",\"0.000\",\"0.000\""},
        RateCase{"NegativeAtBats", {{SF::AtBats, -1}, {SF::Hits, 3}}, "\"0.000\",\"0.000\",\"0.000\""},
        RateCase{"NegativeWalks",
                 {{SF::AtBats, 2}, {SF::Hits, 1}, {SF::Walks, -5}},
                 "\"0.500\",\"0.000\",\"0.500\""},
        RateCase{"HugeCounters",
                 {{SF::AtBats, 32767}, {SF::Hits, 32767}, {SF::Walks, 32767}, {SF::HomeRuns, 255}},
                 "\"1.000\",\"1.000\",\"1.023\""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(OneRecord, BattingSplitRowKeepsEachSideToItself) {
    SeasonStatRecord record = testing::statRecord(1, 7, 1, {{SF::BattingGames, 4}});
    const std::pair<SplitField, int> left[] = {
        {SplitField::AtBats, 10}, {SplitField::Hits, 3},           {SplitField::HomeRuns, 1},
        {SplitField::Walks, 1},   {SplitField::SacrificeFlies, 1}, {SplitField::IntentionalWalks, 7}};
    for (const auto& [field, value] : left)
        record.set(SplitSide::BattingVsLeft, field, value);
    record.set(SplitSide::BattingVsRight, SplitField::Strikeouts, 2);
    record.set(SplitSide::BattingVsRight, SplitField::AtBats, 2);
    EXPECT_EQ(onlyLine(record, "Batting_Splits.CSV"),
              std::string(kIdentity) + ",10,3,0,0,1,0,0,1,0,0,0,1,7,\"0.300\",\"0.333\",\"0.600\"" +
                  ",2,0,0,0,0,0,0,0,2,0,0,0,0,\"0.000\",\"0.000\",\"0.000\"");
}

struct PitchingCase {
    const char* name;
    std::vector<testing::Counter> counters;
    const char* era;
    const char* pct;
    const char* innings;
    const char* opponents; // AVG, OBP, SLG
};

// Names the case in test output.
void PrintTo(const PitchingCase& c, std::ostream* os) { *os << c.name; }

class PitchingRates : public OneRecord, public ::testing::WithParamInterface<PitchingCase> {};

TEST_P(PitchingRates, AreGuardedAndMasked) {
    auto record = testing::statRecord(1, 7, 1, {{SF::GamesPitched, 1}});
    for (const auto& counter : GetParam().counters)
        record.set(counter.field, counter.value);
    const std::string line = onlyLine(record, "Pitching_Stats.CSV");
    const PitchingCase& c = GetParam();
    const std::string era = std::string(",\"") + c.era + "\",";
    EXPECT_EQ(line.find(era), std::string(kIdentity).size()) << line;
    EXPECT_NE(line.find(std::string("\"") + c.pct + "\",1,"), std::string::npos) << line;
    EXPECT_NE(line.find(std::string(",\"") + c.innings + "\","), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - std::string(c.opponents).size()), c.opponents) << line;
}

constexpr const char* kNoOpponents = "\"0.000\",\"0.000\",\"0.000\"";

INSTANTIATE_TEST_SUITE_P(
    Cases, PitchingRates,
    ::testing::Values(
        PitchingCase{
            "TenOuts", {{SF::OutsPitched, 10}, {SF::EarnedRuns, 1}}, "2.70", "0.000", "3.1", kNoOpponents},
        PitchingCase{
            "TieUp", {{SF::OutsPitched, 8}, {SF::EarnedRuns, 1}}, "3.38", "0.000", "2.2", kNoOpponents},
        PitchingCase{
            "TieUpTwo", {{SF::OutsPitched, 8}, {SF::EarnedRuns, 5}}, "16.88", "0.000", "2.2", kNoOpponents},
        PitchingCase{
            "TieDown", {{SF::OutsPitched, 24}, {SF::EarnedRuns, 1}}, "1.12", "0.000", "8.0", kNoOpponents},
        PitchingCase{
            "OneOut", {{SF::OutsPitched, 1}, {SF::EarnedRuns, 4}}, "108.00", "0.000", "0.1", kNoOpponents},
        PitchingCase{"NoOuts", {{SF::EarnedRuns, 3}}, "0.00", "0.000", "0.0", kNoOpponents},
        PitchingCase{"TwoOuts", {{SF::OutsPitched, 2}}, "0.00", "0.000", "0.2", kNoOpponents},
        PitchingCase{"NineInnings", {{SF::OutsPitched, 27}}, "0.00", "0.000", "9.0", kNoOpponents},
        PitchingCase{"Season", {{SF::OutsPitched, 700}}, "0.00", "0.000", "233.1", kNoOpponents},
        PitchingCase{"NegativeOuts",
                     {{SF::OutsPitched, -10}, {SF::EarnedRuns, 2}},
                     "0.00",
                     "0.000",
                     "-3.1",
                     kNoOpponents},
        PitchingCase{"Winless", {{SF::Losses, 5}}, "0.00", "0.000", "0.0", kNoOpponents},
        PitchingCase{"Unbeaten", {{SF::Wins, 5}}, "0.00", "1.000", "0.0", kNoOpponents},
        PitchingCase{"ThreeOfFour", {{SF::Wins, 3}, {SF::Losses, 1}}, "0.00", "0.750", "0.0", kNoOpponents},
        PitchingCase{"TwoOfThree", {{SF::Wins, 2}, {SF::Losses, 1}}, "0.00", "0.667", "0.0", kNoOpponents},
        PitchingCase{"Opponents",
                     {{SF::OpponentAtBats, 10},
                      {SF::HitsAllowed, 3},
                      {SF::HomeRunsAllowed, 1},
                      {SF::WalksAllowed, 2},
                      {SF::HitBatsmen, 1},
                      {SF::SacrificeFliesAllowed, 1}},
                     "0.00",
                     "0.000",
                     "0.0",
                     "\"0.300\",\"0.429\",\"0.600\""},
        PitchingCase{"SixteenthTie",
                     {{SF::OpponentAtBats, 16}, {SF::HitsAllowed, 1}},
                     "0.00",
                     "0.000",
                     "0.0",
                     "\"0.062\",\"0.062\",\"0.062\""},
        PitchingCase{"SluggingOverOne",
                     {{SF::OpponentAtBats, 2}, {SF::HitsAllowed, 1}, {SF::TriplesAllowed, 1}},
                     "0.00",
                     "0.000",
                     "0.0",
                     "\"0.500\",\"0.500\",\"1.500\""},
        PitchingCase{"HitsWithoutAtBats", {{SF::HitsAllowed, 4}}, "0.00", "0.000", "0.0", kNoOpponents}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(OneRecord, PitchingRowAndSplitRowInFull) {
    auto record = testing::statRecord(1, 7, 1,
                                      {{SF::GamesPitched, 30},
                                       {SF::GamesStarted, 28},
                                       {SF::CompleteGames, 4},
                                       {SF::Wins, 12},
                                       {SF::Losses, 8},
                                       {SF::OutsPitched, 600},
                                       {SF::RunsAllowed, 90},
                                       {SF::EarnedRuns, 80},
                                       {SF::HitsAllowed, 180},
                                       {SF::WalksAllowed, 60},
                                       {SF::PitcherStrikeouts, 150},
                                       {SF::OpponentAtBats, 700}});
    record.set(SplitSide::PitchingVsRight, SplitField::AtBats, 3);
    record.set(SplitSide::PitchingVsRight, SplitField::Hits, 1);
    record.set(SplitSide::PitchingVsRight, SplitField::Walks, 1);
    EXPECT_EQ(
        onlyLine(record, "Pitching_Stats.CSV"),
        std::string(kIdentity) +
            ",\"3.60\",12,8,\"0.600\",30,28,4,\"200.0\",90,80,180,60,150,\"0.257\",\"0.316\",\"0.257\"");
    EXPECT_EQ(onlyLine(record, "Pitching_Splits.CSV"),
              std::string(kIdentity) + ",0,0,0,0,0,0,0,0,0,0,0,0,0,\"0.000\",\"0.000\",\"0.000\"" +
                  ",3,1,0,0,0,0,0,1,0,0,0,0,0,\"0.333\",\"0.500\",\"0.333\"");
}

TEST_F(OneRecord, NoPitchingRowsWithoutGamesPitched) {
    const auto record =
        testing::statRecord(1, 7, 1, {{SF::BattingGames, 2}, {SF::OutsPitched, 9}, {SF::Wins, 1}});
    EXPECT_TRUE(export1(record, "Pitching_Stats.CSV").empty());
    EXPECT_TRUE(export1(record, "Pitching_Splits.CSV").empty());
}

struct FieldingCase {
    int putouts, assists, errors;
    const char* average;
};

// Names the case in test output.
void PrintTo(const FieldingCase& c, std::ostream* os) {
    *os << c.putouts << "/" << c.assists << "/" << c.errors;
}

class FieldingAverages : public OneRecord, public ::testing::WithParamInterface<FieldingCase> {};

TEST_P(FieldingAverages, AreGuardedAndMasked) {
    auto record = testing::statRecord(1, 7, 1, {{SF::BattingGames, 3}});
    record.set(PositionArray::Games, 5, 3);
    record.set(PositionArray::Starts, 5, 2);
    record.set(PositionArray::Putouts, 5, GetParam().putouts);
    record.set(PositionArray::Assists, 5, GetParam().assists);
    record.set(PositionArray::Errors, 5, GetParam().errors);
    const FieldingCase& c = GetParam();
    EXPECT_EQ(onlyLine(record, "Fielding_Stats.CSV"),
              std::string(kIdentity) + ",\"SS\",\"" + c.average + "\",3,2," + std::to_string(c.putouts) +
                  "," + std::to_string(c.assists) + "," + std::to_string(c.errors));
}

INSTANTIATE_TEST_SUITE_P(Cases, FieldingAverages,
                         ::testing::Values(FieldingCase{0, 0, 0, "0.000"}, FieldingCase{0, 0, 2, "0.000"},
                                           FieldingCase{10, 5, 0, "1.000"}, FieldingCase{8, 1, 1, "0.900"},
                                           FieldingCase{1, 0, 15, "0.062"}, FieldingCase{-3, 1, 1, "0.000"}));

TEST_F(OneRecord, FieldingRowsComeInPositionOrderOnlyWhereGamesWerePlayed) {
    auto record = testing::statRecord(1, 7, 1, {{SF::BattingGames, 9}});
    record.set(PositionArray::Games, 2, 4);   // first base
    record.set(PositionArray::Games, 1, 5);   // catcher
    record.set(PositionArray::Putouts, 7, 6); // center field, but no games there
    const auto lines = export1(record, "Fielding_Stats.CSV");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(",\"C\","), std::string::npos);
    EXPECT_NE(lines[1].find(",\"1B\","), std::string::npos);
}

struct ConditionCase {
    PitcherHittingMode mode;
    int kind;
    bool battingRow;
    bool groupedRow;
};

// Names the case in test output.
void PrintTo(const ConditionCase& c, std::ostream* os) {
    *os << static_cast<int>(c.mode) << "/kind " << c.kind;
}

class WriteConditions : public ::testing::TestWithParam<ConditionCase> {};

// A record with batting and pitching games: the pitching row never depends on mode or kind.
TEST_P(WriteConditions, FollowModeAndPlayerKind) {
    SeasonFixture season;
    season.addTeam({7, 1986, "Riverton", "Owls", "RIV"});
    season.addPlayer({1, "John", "Smith", GetParam().kind});
    season.addStats(
        testing::statRecord(1, 7, 1, {{SF::BattingGames, 5}, {SF::GamesPitched, 5}, {SF::AtBats, 4}}));
    ASSERT_TRUE(season.run(allFiles(GetParam().mode)).succeeded());
    const auto batting = dataLines(season.output("Batting_Stats.CSV"));
    const auto splits = dataLines(season.output("Batting_Splits.CSV"));
    const std::size_t expected = (GetParam().battingRow ? 1 : 0) + (GetParam().groupedRow ? 1 : 0);
    EXPECT_EQ(batting.size(), expected);
    EXPECT_EQ(splits.size(), expected);
    if (GetParam().groupedRow) {
        EXPECT_EQ(batting.back().rfind("\"Pitchers\"", 0), 0u);
    }
    EXPECT_EQ(dataLines(season.output("Pitching_Stats.CSV")).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(ModesAndKinds, WriteConditions,
                         ::testing::Values(ConditionCase{PitcherHittingMode::Include, 0, true, false},
                                           ConditionCase{PitcherHittingMode::Include, 1, true, false},
                                           ConditionCase{PitcherHittingMode::Include, 2, true, false},
                                           ConditionCase{PitcherHittingMode::Include, 3, true, false},
                                           ConditionCase{PitcherHittingMode::GroupByTeam, 0, false, false},
                                           ConditionCase{PitcherHittingMode::GroupByTeam, 1, true, false},
                                           ConditionCase{PitcherHittingMode::GroupByTeam, 2, false, true},
                                           ConditionCase{PitcherHittingMode::GroupByTeam, 3, false, false},
                                           ConditionCase{PitcherHittingMode::Ignore, 0, false, false},
                                           ConditionCase{PitcherHittingMode::Ignore, 1, true, false},
                                           ConditionCase{PitcherHittingMode::Ignore, 2, false, false},
                                           ConditionCase{PitcherHittingMode::Ignore, 3, false, false},
                                           ConditionCase{PitcherHittingMode::None, 1, true, false},
                                           ConditionCase{PitcherHittingMode::None, 2, false, false}));

// Grouped "Pitchers" rows.
class GroupedRows : public ::testing::Test {
protected:
    GroupedRows() {
        season.addTeam({7, 1986, "Riverton", "Owls", "RIV"});
        season.addTeam({3, 1986, "Lakeport", "Herons", "LAK"});
        season.addPlayer({10, "Al", "Arm", kPitcher});
        season.addPlayer({11, "Bo", "Ball", kPitcher});
    }
    void pitcher(int player, int team, int statType, std::initializer_list<testing::Counter> counters) {
        auto record = testing::statRecord(player, team, statType, counters);
        record.set(SF::GamesPitched, 3);
        season.addStats(record);
    }
    std::vector<std::string> run(const char* file,
                                 PitcherHittingMode mode = PitcherHittingMode::GroupByTeam) {
        EXPECT_TRUE(season.run(allFiles(mode)).succeeded());
        return dataLines(season.output(file));
    }
    SeasonFixture season;
};

TEST_F(GroupedRows, SumOneTeamsPitchers) {
    pitcher(10, 7, 1,
            {{SF::AtBats, 40}, {SF::Hits, 8}, {SF::Doubles, 1}, {SF::Walks, 2}, {SF::Strikeouts, 20}});
    pitcher(11, 7, 1, {{SF::AtBats, 35}, {SF::Hits, 6}, {SF::HomeRuns, 1}, {SF::SacrificeHits, 4}});
    EXPECT_EQ(
        run("Batting_Stats.CSV"),
        std::vector<std::string>{"\"Pitchers\",\"Riverton Owls\",\" 1986\",\"Regular\",\"x\","
                                 "75,0,0,14,1,0,1,0,20,2,0,0,0,0,4,0,0,0,\"0.187\",\"0.208\",\"0.240\""});
}

TEST_F(GroupedRows, ComeLastByStatTypeThenTeam) {
    pitcher(10, 7, 4, {{SF::AtBats, 5}, {SF::Hits, 1}});
    pitcher(10, 3, 4, {{SF::AtBats, 6}});
    pitcher(11, 7, 1, {{SF::AtBats, 7}});
    pitcher(11, 3, 0, {{SF::AtBats, 9}, {SF::Hits, 9}}); // PreSeason: never grouped
    pitcher(11, 50, 2, {{SF::AtBats, 8}});               // no team record, stat type without a name
    auto hitter = testing::statRecord(12, 7, 1, {{SF::BattingGames, 1}, {SF::AtBats, 3}});
    season.addPlayer({12, "Cy", "Bat", kPositionPlayer});
    season.addStats(hitter);
    const auto lines = run("Batting_Stats.CSV");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].rfind("\"Bat,Cy\"", 0), 0u);
    EXPECT_EQ(lines[1].rfind("\"Pitchers\",\"Riverton Owls\",\" 1986\",\"Regular\",\"x\",7,", 0), 0u);
    EXPECT_EQ(lines[2].rfind("\"Pitchers\",\"\",\"\",\"\",\"x\",8,", 0), 0u);
    EXPECT_EQ(lines[3].rfind("\"Pitchers\",\"Lakeport Herons\",\" 1986\",\"LCS\",\"x\",6,", 0), 0u);
    EXPECT_EQ(lines[4].rfind("\"Pitchers\",\"Riverton Owls\",\" 1986\",\"LCS\",\"x\",5,", 0), 0u);
}

TEST_F(GroupedRows, NeedAtBats) {
    pitcher(10, 7, 1, {{SF::Walks, 3}, {SF::SacrificeHits, 2}, {SF::SacrificeFlies, 1}});
    EXPECT_TRUE(run("Batting_Stats.CSV").empty());
}

TEST_F(GroupedRows, AreWrittenOnlyWhenGrouping) {
    pitcher(10, 7, 1, {{SF::AtBats, 40}, {SF::Hits, 8}});
    for (auto mode : {PitcherHittingMode::Include, PitcherHittingMode::Ignore, PitcherHittingMode::None})
        for (const auto& line : run("Batting_Stats.CSV", mode)) {
            EXPECT_EQ(line.find("\"Pitchers\""), std::string::npos);
        }
}

TEST_F(GroupedRows, SplitRowsShowEachSideAndZerosForAnEmptySide) {
    auto record = testing::statRecord(10, 7, 1, {{SF::AtBats, 10}, {SF::GamesPitched, 2}});
    record.set(SplitSide::BattingVsLeft, SplitField::AtBats, 10);
    record.set(SplitSide::BattingVsLeft, SplitField::Hits, 3);
    record.set(SplitSide::BattingVsLeft, SplitField::Triples, 1);
    record.set(SplitSide::BattingVsLeft, SplitField::HitByPitch, 1);
    record.set(SplitSide::BattingVsLeft, SplitField::SacrificeFlies, 1);
    season.addStats(record);
    EXPECT_EQ(run("Batting_Splits.CSV"),
              std::vector<std::string>{"\"Pitchers\",\"Riverton Owls\",\" 1986\",\"Regular\""
                                       ",10,3,0,1,0,0,1,0,0,0,0,1,0,\"0.300\",\"0.333\",\"0.500\""
                                       ",0,0,0,0,0,0,0,0,0,0,0,0,0,\"0.000\",\"0.000\",\"0.000\""});
}

TEST_F(GroupedRows, StatTypesBeyondFiveAddToNoTotal) {
    pitcher(10, 7, 6, {{SF::AtBats, 40}, {SF::Hits, 8}});
    EXPECT_TRUE(run("Batting_Stats.CSV").empty());
    EXPECT_EQ(dataLines(season.output("Pitching_Stats.CSV")).size(), 1u);
}

TEST_F(GroupedRows, TotalsDoNotWrapAtSixteenBits) {
    pitcher(10, 7, 1, {{SF::AtBats, 30000}, {SF::Hits, 9000}});
    pitcher(11, 7, 1, {{SF::AtBats, 30000}, {SF::Hits, 9000}});
    const auto lines = run("Batting_Stats.CSV");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(
        lines[0].rfind("\"Pitchers\",\"Riverton Owls\",\" 1986\",\"Regular\",\"x\",60000,0,0,18000,", 0), 0u);
    EXPECT_NE(lines[0].find("\"0.300\",\"0.300\",\"0.300\""), std::string::npos);
}

// Totals summed chunk by chunk and moved into the run's are the totals summed
// record by record; a chunk's totals start again from zero once moved.
TEST(PitcherTotalSums, MovedChunkByChunkEqualRecordByRecord) {
    std::vector<SeasonStatRecord> records;
    for (int i = 0; i < 12; ++i) {
        auto record =
            testing::statRecord(10 + i, 3 + i % 4, 1 + i % 3, {{SF::AtBats, 100 + i}, {SF::Hits, 7 * i}});
        record.set(SplitSide::BattingVsRight, SplitField::Walks, i);
        records.push_back(record);
    }
    PitcherTotals byRecord, byChunk, chunk;
    for (std::size_t i = 0; i < records.size(); ++i) {
        byRecord.addPitcherRecord(records[i]);
        chunk.addPitcherRecord(records[i]);
        if (i % 5 == 4 || i + 1 == records.size()) chunk.moveInto(byChunk);
    }
    for (int team = 0; team <= TeamTable::kMax; ++team) {
        for (int statType = 0; statType <= kMaxGroupedStatType; ++statType) {
            EXPECT_EQ(byChunk.at(team, statType), byRecord.at(team, statType)) << team << " " << statType;
            EXPECT_EQ(chunk.at(team, statType), PitcherCounters{}) << team << " " << statType;
        }
    }
    EXPECT_NE(byChunk.at(3, 1), PitcherCounters{});
}

// Sums wrap two's-complement at 32 bits, as a 32-bit machine gives them.
TEST(PitcherTotalSums, WrapAtTwoToTheThirtyOneAndTwoToTheThirtyTwo) {
    TeamTable teams;
    teams[7] = {true, "Riverton Owls", "Riverton", "Owls", "RIV", " 1986"};
    PitcherTotals totals;
    const auto maximal =
        testing::statRecord(10, 7, 1, {{SF::AtBats, 32767}, {SF::Hits, 32767}, {SF::HomeRuns, 255}});
    const auto atBats = [&] { return totals.at(7, 1)[0]; };
    for (int i = 0; i < 65539; ++i)
        totals.addPitcherRecord(maximal);
    EXPECT_EQ(atBats(), -2147450883) << "65539 x 32767 = 2^31 + 32765";
    for (int i = 65539; i < 131077; ++i)
        totals.addPitcherRecord(maximal);
    EXPECT_EQ(atBats(), 32763) << "131077 x 32767 = 2^32 + 32763";

    MemoryOutputs outputs;
    ExportOptions options;
    options.outputFolder = "out";
    ExportFiles files;
    ASSERT_TRUE(files.open(options, outputs).empty());
    totals.writePitcherRows(files.targets(), teams, false);
    ExportOutcome outcome;
    files.close(outcome);
    const auto lines = dataLines(outputs.folder[joinPath("out", "Batting_Stats.CSV")]);
    ASSERT_EQ(lines.size(), 1u);
    // Hits wrap alike; home runs (255 each) sum to 33424635 without wrapping.
    EXPECT_EQ(
        lines[0].rfind(
            "\"Pitchers\",\"Riverton Owls\",\" 1986\",\"Regular\",\"x\",32763,0,0,32763,0,0,33424635,", 0),
        0u)
        << lines[0];
}

TEST(RateSums, WrapInsteadOfOverflowing) {
    const HittingCounts counts{.atBats = 2147483647,
                               .hits = 2147483647,
                               .doubles = 1,
                               .triples = 0,
                               .homeRuns = 1,
                               .walks = 1,
                               .hitByPitch = 0,
                               .sacrificeFlies = 0};
    EXPECT_EQ(counts.totalBases(), -2147483645);
    EXPECT_EQ(counts.onBaseDenominator(), -2147483648);
    EXPECT_EQ(counts.timesOnBase(), -2147483648);
    EXPECT_EQ(winningPercentage(2147483647, 1), 0.0f) << "a wrapped divisor is not positive";
}

} // namespace
} // namespace boxloom

namespace boxloom {
namespace {

// Rows as typed fields, for a sink that is not a CSV file.
struct TypedRows final : RowSink {
    std::vector<std::vector<Field>> rows;
    void writeRow(std::span<const Field> fields) override { rows.emplace_back(fields.begin(), fields.end()); }
};

// Lines in memory.
struct TextLines final : LineSink {
    std::string text;
    void flush() override {
        text.append(buffer.data(), used);
        used = 0;
    }
};

// Every row writer hands a typed sink the fields that, written as a line, are
// byte for byte the line a CSV file gets: the database gets what the files get.
TEST(TypedRows, SpellTheSameLinesAsTheCsvFiles) {
    TeamTable teams;
    teams[7] = {true, "Riverton Owls", "Riverton", "Owls", "RIV", " 1986"};
    auto record = testing::statRecord(1, 7, 1,
                                      {{SF::BattingGames, 150},
                                       {SF::AtBats, 500},
                                       {SF::Hits, 150},
                                       {SF::HomeRuns, 20},
                                       {SF::Walks, 60},
                                       {SF::GamesPitched, 30},
                                       {SF::OutsPitched, 601},
                                       {SF::EarnedRuns, 70},
                                       {SF::Wins, 12}});
    record.set(PositionArray::Games, 2, 25);
    record.set(PositionArray::Putouts, 2, 200);
    record.set(SplitSide::BattingVsLeft, SplitField::AtBats, 120);
    record.set(SplitSide::BattingVsLeft, SplitField::Hits, 37);
    PitcherTotals totals;
    totals.addPitcherRecord(record);
    const RowIdentity identity{"Smith,\"Jo\" John", "Riverton Owls", " 1986", "Regular", 1, 7};
    for (bool withIds : {false, true}) {
        std::array<TextLines, kExportFileKindCount> csv;
        std::array<TypedRows, kExportFileKindCount> typed;
        RowTargets csvTargets, typedTargets;
        csvTargets.withIds = typedTargets.withIds = withIds;
        for (ExportFileKind kind : kExportFileKinds) {
            csvTargets.sinks[indexOf(kind)] = &csv[indexOf(kind)];
            typedTargets.sinks[indexOf(kind)] = &typed[indexOf(kind)];
        }
        for (const RowTargets* rows : {&csvTargets, &typedTargets}) {
            writeBattingRow(*rows, record, identity);
            writeBattingSplitRow(*rows, record, identity);
            writePitchingRow(*rows, record, identity);
            writePitchingSplitRow(*rows, record, identity);
            writeFieldingRow(*rows, record, 2, identity);
            totals.writePitcherRows(*rows, teams, true);
        }
        for (ExportFileKind kind : kExportFileKinds) {
            TextLines spelled;
            for (const auto& row : typed[indexOf(kind)].rows)
                spelled.writeRow(row);
            spelled.flush();
            csv[indexOf(kind)].flush();
            EXPECT_EQ(spelled.text, csv[indexOf(kind)].text) << exportFileStem(kind) << " ids " << withIds;
            EXPECT_FALSE(typed[indexOf(kind)].rows.empty()) << exportFileStem(kind);
        }
        // The grouped row: "x" for G, no player number; IP is outs, not a rate.
        const std::vector<Field>& grouped = typed[indexOf(ExportFileKind::BattingStats)].rows.back();
        EXPECT_EQ(grouped[4].type, Field::Type::Grouped);
        if (withIds) {
            EXPECT_EQ(grouped[grouped.size() - 2].type, Field::Type::Blank);
        }
        const std::vector<Field>& pitching = typed[indexOf(ExportFileKind::PitchingStats)].rows.front();
        const auto innings = std::find_if(pitching.begin(), pitching.end(), [](const Field& field) {
            return field.type == Field::Type::Innings;
        });
        ASSERT_NE(innings, pitching.end());
        EXPECT_EQ(innings->number, 601);
    }
}

// Every row is written into room made for it beforehand from its column list:
// the widest values each kind of field can hold fit (an overrun would stop the
// program). Counters at both ends of their range, grouped totals past 16 bits,
// rates of huge and negative ratios, and texts that every byte of grows.
TEST(TypedRows, TheWidestValuesFitTheRoomMadeForTheirRow) {
    TeamTable teams;
    const std::string wide(40, '\x93'); // three bytes each in UTF-8
    const std::string player = wide + '"';
    const std::string quotes(20, '"');
    teams[7] = {true, wide, "Riverton", "Owls", "RIV", quotes};
    const std::pair<int, std::string_view> wordsAndEras[] = {
        {-32768, "\"-884736.00\""}, {32767, "\"884709.00\""}, {-1, "\"-27.00\""}};
    for (const auto& [word, era] : wordsAndEras) {
        SeasonStatRecord record;
        for (std::size_t i = 4; i < kStatFieldCount; ++i)
            record.set(static_cast<StatField>(i), word);
        record.set(StatField::OutsPitched, 1);
        record.set(StatField::AtBats, 1);
        for (SplitSide side : {SplitSide::BattingVsLeft, SplitSide::BattingVsRight, SplitSide::PitchingVsLeft,
                               SplitSide::PitchingVsRight}) {
            for (std::size_t field = 0; field < kSplitFieldCount; ++field)
                record.set(side, static_cast<SplitField>(field), word);
            record.set(side, SplitField::AtBats, 1);
        }
        record.set(PositionArray::Games, 0, 255);
        PitcherTotals totals;
        for (int pitcher = 0; pitcher < 70000; ++pitcher)
            totals.addPitcherRecord(record);
        for (bool utf8 : {false, true}) {
            std::array<TextLines, kExportFileKindCount> csv;
            RowTargets rows;
            rows.withIds = true;
            for (ExportFileKind kind : kExportFileKinds) {
                csv[indexOf(kind)].utf8 = utf8;
                rows.sinks[indexOf(kind)] = &csv[indexOf(kind)];
            }
            const RowIdentity identity{player, wide, quotes, "Regular", 32767, 7};
            writeBattingRow(rows, record, identity);
            writeBattingSplitRow(rows, record, identity);
            writePitchingRow(rows, record, identity);
            writePitchingSplitRow(rows, record, identity);
            writeFieldingRow(rows, record, 0, identity);
            totals.writePitcherRows(rows, teams, true);
            for (TextLines& lines : csv) {
                lines.flush();
                EXPECT_GT(lines.text.size(), 100u);
            }
            EXPECT_NE(csv[indexOf(ExportFileKind::PitchingStats)].text.find(era), std::string::npos) << word;
        }
    }
}

} // namespace
} // namespace boxloom
