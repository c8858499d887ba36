#include "export_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace boxloom {
namespace {

using SF = StatField;
using testing::Counter;

std::string quotedRow(std::initializer_list<const char*> names) {
    std::string line;
    for (const char* name : names)
        line += std::string(line.empty() ? "" : ",") + "\"" + name + "\"";
    return line + "\r\n";
}

std::string splitHeader() {
    std::string line = "\"Player\",\"Team\",\"Year\",\"StatType\"";
    for (const char* side : {"vL", "vR"})
        for (const char* stem : {"AB", "H", "2B", "3B", "HR", "RBI", "HBP", "BB", "SO", "SH", "CI", "SF",
                                 "IW", "AVG", "OBP", "SLG"})
            line += std::string(",\"") + stem + side + "\"";
    return line + "\r\n";
}

void setSplit(SeasonStatRecord& record, SplitSide side,
              std::initializer_list<std::pair<SplitField, int>> values) {
    for (const auto& [field, value] : values)
        record.set(side, field, value);
}

void setPosition(SeasonStatRecord& record, int position, int games, int starts, int putouts, int assists,
                 int errors) {
    record.set(PositionArray::Games, position, games);
    record.set(PositionArray::Starts, position, starts);
    record.set(PositionArray::Putouts, position, putouts);
    record.set(PositionArray::Assists, position, assists);
    record.set(PositionArray::Errors, position, errors);
}

// A small season of every kind of record, exported with every option on and
// pitchers grouped; the expected files are written out by hand below.
void buildSeason(testing::SeasonFixture& season) {
    season.addTeam({1, 1986, "Riverton", "Owls", "RIV"});
    season.addTeam({2, 1986, "Lakeport", "Herons", "LAK"});
    season.addPlayer({1, "John", "Smith", kPositionPlayer});
    season.addPlayer({2, "Al", "Arm", kPitcher});
    season.addPlayer({3, "Ed", "Odd", 3});

    auto hitter = testing::statRecord(1, 1, 1,
                                      {{SF::BattingGames, 10},
                                       {SF::AtBats, 30},
                                       {SF::Hits, 9},
                                       {SF::Doubles, 2},
                                       {SF::HomeRuns, 1},
                                       {SF::Walks, 3},
                                       {SF::Strikeouts, 5}});
    setSplit(hitter, SplitSide::BattingVsLeft, {{SplitField::AtBats, 10}, {SplitField::Hits, 4}});
    setSplit(
        hitter, SplitSide::BattingVsRight,
        {{SplitField::AtBats, 20}, {SplitField::Hits, 5}, {SplitField::HomeRuns, 1}, {SplitField::Walks, 3}});
    setPosition(hitter, 1, 8, 7, 50, 3, 1);
    setPosition(hitter, 2, 2, 1, 12, 0, 0);
    season.addStats(hitter);

    auto pitcher = testing::statRecord(2, 2, 1,
                                       {{SF::GamesPitched, 5},
                                        {SF::GamesStarted, 5},
                                        {SF::CompleteGames, 1},
                                        {SF::Wins, 3},
                                        {SF::Losses, 1},
                                        {SF::OutsPitched, 90},
                                        {SF::RunsAllowed, 12},
                                        {SF::EarnedRuns, 10},
                                        {SF::HitsAllowed, 25},
                                        {SF::WalksAllowed, 8},
                                        {SF::PitcherStrikeouts, 20},
                                        {SF::OpponentAtBats, 110},
                                        {SF::DoublesAllowed, 5},
                                        {SF::HomeRunsAllowed, 2},
                                        {SF::HitBatsmen, 1},
                                        {SF::SacrificeFliesAllowed, 1},
                                        {SF::AtBats, 10},
                                        {SF::Hits, 2},
                                        {SF::Walks, 1}});
    setSplit(pitcher, SplitSide::BattingVsLeft, {{SplitField::AtBats, 4}, {SplitField::Hits, 1}});
    setSplit(pitcher, SplitSide::BattingVsRight,
             {{SplitField::AtBats, 6}, {SplitField::Hits, 1}, {SplitField::Walks, 1}});
    setSplit(pitcher, SplitSide::PitchingVsLeft,
             {{SplitField::AtBats, 50},
              {SplitField::Hits, 10},
              {SplitField::HomeRuns, 1},
              {SplitField::Walks, 3}});
    setSplit(pitcher, SplitSide::PitchingVsRight,
             {{SplitField::AtBats, 60},
              {SplitField::Hits, 15},
              {SplitField::Doubles, 5},
              {SplitField::HomeRuns, 1},
              {SplitField::Walks, 5},
              {SplitField::HitByPitch, 1},
              {SplitField::SacrificeFlies, 1}});
    setPosition(pitcher, 0, 5, 5, 2, 6, 0);
    season.addStats(pitcher);

    auto neither = testing::statRecord(3, 1, 0, {{SF::BattingGames, 2}, {SF::AtBats, 5}, {SF::Hits, 1}});
    setPosition(neither, 6, 2, 2, 3, 0, 0);
    season.addStats(neither);

    auto unused =
        testing::statRecord(1, 1, 1, {{SF::RecordMarker, 1}, {SF::BattingGames, 99}, {SF::AtBats, 99}});
    season.addStats(unused);

    season.addStats(testing::statRecord(9, 2, 4, {{SF::GamesPitched, 1}, {SF::OutsPitched, 3}}));
}

TEST(SeasonExport, EveryFileMatchesTheHandCheckedRows) {
    testing::SeasonFixture season;
    buildSeason(season);
    ExportOptions options;
    options.teamNotation = TeamNotation::Abbreviation;
    options.pitcherHitting = PitcherHittingMode::GroupByTeam;
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    options.outputSuffix = "TXT";
    const ExportOutcome outcome = season.run(options);
    ASSERT_TRUE(outcome.succeeded());
    EXPECT_EQ(outcome.recordsRead, 5u);
    EXPECT_EQ(outcome.recordsAccepted, 4u);

    EXPECT_EQ(season.output("Batting_Stats.TXT"),
              quotedRow({"Player", "Team", "Year", "StatType", "G",  "AB",  "R",   "RBI", "H",
                         "2B",     "3B",   "HR",   "HBP",      "SO", "W",   "IW",  "SB",  "CS",
                         "GWRBI",  "SH",   "SF",   "GDP",      "CI", "AVG", "OBP", "SLG"}) +
                  "\"Smith,John\",\"RIV\",\" 1986\",\"Regular\",10,30,0,0,9,2,0,1,0,5,3,0,0,0,0,0,0,0,0,"
                  "\"0.300\",\"0.364\",\"0.467\"\r\n"
                  "\"Pitchers\",\"LAK\",\" 1986\",\"Regular\",\"x\",10,0,0,2,0,0,0,0,0,1,0,0,0,0,0,0,0,0,"
                  "\"0.200\",\"0.273\",\"0.200\"\r\n");

    EXPECT_EQ(
        season.output("Batting_Splits.TXT"),
        splitHeader() +
            "\"Smith,John\",\"RIV\",\" 1986\",\"Regular\",10,4,0,0,0,0,0,0,0,0,0,0,0,\"0.400\",\"0.400\","
            "\"0.400\",20,5,0,0,1,0,0,3,0,0,0,0,0,\"0.250\",\"0.348\",\"0.400\"\r\n"
            "\"Pitchers\",\"LAK\",\" 1986\",\"Regular\",4,1,0,0,0,0,0,0,0,0,0,0,0,\"0.250\",\"0.250\","
            "\"0.250\",6,1,0,0,0,0,0,1,0,0,0,0,0,\"0.167\",\"0.286\",\"0.167\"\r\n");

    EXPECT_EQ(
        season.output("Pitching_Stats.TXT"),
        quotedRow({"Player", "Team", "Year", "StatType", "ERA", "W",  "L",  "PCT", "G",   "GS",
                   "CG",     "IP",   "R",    "ER",       "H",   "BB", "SO", "AVG", "OBP", "SLG"}) +
            "\"Arm,Al\",\"LAK\",\" 1986\",\"Regular\",\"3.00\",3,1,\"0.750\",5,5,1,\"30.0\",12,10,25,8,20,"
            "\"0.227\",\"0.283\",\"0.327\"\r\n"
            "\"\",\"LAK\",\" 1986\",\"LCS\",\"0.00\",0,0,\"0.000\",1,0,0,\"1.0\",0,0,0,0,0,"
            "\"0.000\",\"0.000\",\"0.000\"\r\n");

    EXPECT_EQ(season.output("Pitching_Splits.TXT"),
              splitHeader() +
                  "\"Arm,Al\",\"LAK\",\" 1986\",\"Regular\",50,10,0,0,1,0,0,3,0,0,0,0,0,\"0.200\",\"0.245\","
                  "\"0.260\",60,15,5,0,1,0,1,5,0,0,0,1,0,\"0.250\",\"0.313\",\"0.383\"\r\n"
                  "\"\",\"LAK\",\" 1986\",\"LCS\",0,0,0,0,0,0,0,0,0,0,0,0,0,\"0.000\",\"0.000\",\"0.000\","
                  "0,0,0,0,0,0,0,0,0,0,0,0,0,\"0.000\",\"0.000\",\"0.000\"\r\n");

    EXPECT_EQ(season.output("Fielding_Stats.TXT"),
              quotedRow({"Player", "Team", "Year", "StatType", "Pos", "Avg", "G", "GS", "PO", "A", "E"}) +
                  "\"Smith,John\",\"RIV\",\" 1986\",\"Regular\",\"C\",\"0.981\",8,7,50,3,1\r\n"
                  "\"Smith,John\",\"RIV\",\" 1986\",\"Regular\",\"1B\",\"1.000\",2,1,12,0,0\r\n"
                  "\"Arm,Al\",\"LAK\",\" 1986\",\"Regular\",\"P\",\"1.000\",5,5,2,6,0\r\n"
                  "\"Odd,Ed\",\"RIV\",\" 1986\",\"PreSeason\",\"LF\",\"1.000\",2,2,3,0,0\r\n");
}

} // namespace
} // namespace boxloom
