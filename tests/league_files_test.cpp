#include "file_layer.h"
#include "league_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace boxloom {
namespace {

using testing::TempFolder;

class LeagueFiles : public ::testing::Test {
protected:
    TeamTable loadTeams(const LeagueFileBytes& bytes, TeamNotation notation, LoadResult* result = nullptr) {
        writeBinaryFile(folder.file("zelteam.dat"), bytes.bytes());
        ReadOnlyFile file;
        EXPECT_EQ(file.open(folder.file("zelteam.dat")), "");
        TeamTable teams;
        LoadResult loaded = loadTeamFile(file, notation, teams);
        if (result) *result = loaded;
        return teams;
    }
    PlayerTable loadPlayers(const LeagueFileBytes& bytes, LoadResult* result = nullptr) {
        writeBinaryFile(folder.file("zelplyr.dat"), bytes.bytes());
        ReadOnlyFile file;
        EXPECT_EQ(file.open(folder.file("zelplyr.dat")), "");
        PlayerTable players;
        LoadResult loaded = loadPlayerFile(file, players);
        if (result) *result = loaded;
        return players;
    }
    TempFolder folder;
};

struct NotationCase {
    TeamNotation notation;
    const char* displayName;
};

// Names the case in test output.
void PrintTo(const NotationCase& c, std::ostream* os) { *os << c.displayName; }

class TeamNotations : public LeagueFiles, public ::testing::WithParamInterface<NotationCase> {};

TEST_P(TeamNotations, NameTheRivertonOwls) {
    LeagueFileBytes bytes;
    bytes.append(teamRecord({7, 1986, "Riverton", "Owls", "RIV"}));
    const TeamTable teams = loadTeams(bytes, GetParam().notation);
    EXPECT_EQ(teams[7].displayName, GetParam().displayName);
    EXPECT_EQ(teams[7].yearText, " 1986");
    EXPECT_EQ(teams[6].yearText, "");
}

INSTANTIATE_TEST_SUITE_P(All, TeamNotations,
                         ::testing::Values(NotationCase{TeamNotation::City, "Riverton"},
                                           NotationCase{TeamNotation::Nickname, "Owls"},
                                           NotationCase{TeamNotation::Abbreviation, "RIV"},
                                           NotationCase{TeamNotation::CityAndNickname, "Riverton Owls"},
                                           NotationCase{TeamNotation::None, ""}));

TEST_F(LeagueFiles, TextFieldsKeepEveryByteUpToTheFirstZero) {
    LeagueFileBytes bytes;
    bytes.append(teamRecord({1, 2011, "", "ABCDEFGHIJKLMNOP", "XYZ"}));
    bytes.append(teamRecord({2, 2011, "Port  ", "\xC9l\xE9phants ", "P"}));
    const TeamTable teams = loadTeams(bytes, TeamNotation::CityAndNickname);
    EXPECT_EQ(teams[1].nickname, "ABCDEFGHIJKLMNOP"); // all 16 bytes, no terminator
    EXPECT_EQ(teams[1].abbreviation, "XYZ");
    EXPECT_EQ(teams[1].displayName, " ABCDEFGHIJKLMNOP");
    EXPECT_EQ(teams[2].displayName, "Port   \xC9l\xE9phants ");
}

TEST_F(LeagueFiles, PlayerNameIsLastCommaFirst) {
    LeagueFileBytes bytes;
    bytes.append(playerRecord({1, "John", "Smith", kPositionPlayer}));
    bytes.append(playerRecord({2, "Maximilianusss", "O'Brien ", kPitcher}));
    bytes.append(playerRecord({3, "", "", 3}));
    const PlayerTable players = loadPlayers(bytes);
    EXPECT_EQ(players[1].displayName, "Smith,John");
    EXPECT_EQ(players[1].kind, kPositionPlayer);
    EXPECT_EQ(players[2].displayName, "O'Brien ,Maximilianusss"); // 14-byte first name whole
    EXPECT_EQ(players[3].displayName, ",");
    EXPECT_EQ(players[3].kind, 3); // loaded, but neither position player nor pitcher
}

TEST_F(LeagueFiles, SkippedTeamRecordsLeaveWhatWasThere) {
    LeagueFileBytes bytes;
    bytes.append(teamRecord({1, 1986, "Riverton", "Owls", "RIV"}));
    bytes.append(teamRecord({1, 1987, "Marked", "Team", "MRK", 1})); // marker in use
    bytes.append(teamRecord({1, 0, "NoYear", "Team", "NOY"}));
    bytes.append(teamRecord({2, -3, "Negative", "Year", "NEG"}));
    const TeamTable teams = loadTeams(bytes, TeamNotation::City);
    EXPECT_EQ(teams[1].displayName, "Riverton");
    EXPECT_EQ(teams[1].yearText, " 1986");
    EXPECT_EQ(teams[2].displayName, "");
    EXPECT_EQ(teams[2].yearText, "");
}

TEST_F(LeagueFiles, SkippedPlayerRecordsAreNotLoaded) {
    LeagueFileBytes bytes;
    bytes.append(playerRecord({1, "A", "Marker", kPitcher, 1}));
    bytes.append(playerRecord({2, "B", "CheckA", kPitcher, 0, 0, 1}));
    bytes.append(playerRecord({3, "C", "CheckB", kPitcher, 0, 1, 0}));
    bytes.append(playerRecord({4, "D", "Negative", kPitcher, 0, -1, 5}));
    const PlayerTable players = loadPlayers(bytes);
    for (int number = 1; number <= 4; ++number) {
        EXPECT_EQ(players[number].displayName, "") << number;
        EXPECT_EQ(players[number].kind, 0) << number;
    }
}

TEST_F(LeagueFiles, TheLastRecordOfANumberWins) {
    LeagueFileBytes teamBytes;
    teamBytes.append(teamRecord({5, 1986, "First", "One", "FST"}));
    teamBytes.append(teamRecord({5, 1990, "Second", "Two", "SND"}));
    EXPECT_EQ(loadTeams(teamBytes, TeamNotation::City)[5].displayName, "Second");
    LeagueFileBytes playerBytes;
    playerBytes.append(playerRecord({9, "Early", "Name", kPitcher}));
    playerBytes.append(playerRecord({9, "Late", "Name", kPositionPlayer}));
    const PlayerTable players = loadPlayers(playerBytes);
    EXPECT_EQ(players[9].displayName, "Name,Late");
    EXPECT_EQ(players[9].kind, kPositionPlayer);
}

TEST_F(LeagueFiles, NumbersOutsideTheTablesAreCountedNotLoaded) {
    LeagueFileBytes teamBytes;
    teamBytes.append(teamRecord({101, 1986, "Beyond", "Range", "BEY"}));
    teamBytes.append(teamRecord({-1, 1986, "Negative", "Team", "NEG"}));
    teamBytes.append(teamRecord({100, 1986, "Last", "Team", "LST"}));
    LoadResult teamResult;
    const TeamTable teams = loadTeams(teamBytes, TeamNotation::City, &teamResult);
    EXPECT_EQ(teamResult.recordsOutOfRange, 2u);
    EXPECT_EQ(teamResult.recordsRead, 3u);
    EXPECT_EQ(teams[100].displayName, "Last");

    LeagueFileBytes playerBytes;
    playerBytes.append(playerRecord({6001, "Too", "Far", kPitcher}));
    playerBytes.append(playerRecord({6000, "Just", "Right", kPitcher}));
    LoadResult playerResult;
    const PlayerTable players = loadPlayers(playerBytes, &playerResult);
    EXPECT_EQ(playerResult.recordsOutOfRange, 1u);
    EXPECT_EQ(players[6000].displayName, "Right,Just");
}

TEST_F(LeagueFiles, AShortLastRecordIsCompletedWithZeros) {
    LeagueFileBytes bytes;
    auto record = teamRecord({3, 1999, "Short", "Tail", "SHT"});
    record.resize(100); // everything the loader reads lies in the first 94 bytes
    bytes.append(record);
    EXPECT_EQ(loadTeams(bytes, TeamNotation::Abbreviation)[3].displayName, "SHT");
}

} // namespace
} // namespace boxloom
