// The demo league must look like baseball: consistent schedules, plausible
// numbers, careers across seasons, the same bytes for the same options.

#include "demo_people.h"
#include "demo_season.h"
#include "league_files.h"
#include "season_stats.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace boxloom {
namespace {

using Records = std::vector<SeasonStatRecord>;

Records recordsOf(const std::vector<std::uint8_t>& bytes) {
    Records records;
    for (std::size_t at = 0; at + kSeasonRecordSize <= bytes.size(); at += kSeasonRecordSize) {
        SeasonStatRecord::Bytes raw;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kSeasonRecordSize, raw.begin());
        records.emplace_back(raw);
    }
    return records;
}

// Player number to "Last,First".
std::map<int, std::string> playerNames(const std::vector<std::uint8_t>& bytes) {
    std::map<int, std::string> names;
    for (std::size_t at = 0; at + kPlayerRecordSize <= bytes.size(); at += kPlayerRecordSize) {
        const std::uint8_t* record = bytes.data() + at;
        names[readNumber(record, PlayerRecordLayout::playerNumber)] =
            std::string(readText(record, PlayerRecordLayout::lastName)) + "," +
            std::string(readText(record, PlayerRecordLayout::firstName));
    }
    return names;
}

int regular() { return code(StatType::Regular); }

// A player's counters summed over his teams, as the rate titles count them.
struct PlayerTotal {
    std::map<StatField, long> sum;
    long get(StatField field) const {
        const auto found = sum.find(field);
        return found == sum.end() ? 0 : found->second;
    }
    long plateAppearances() const {
        return get(StatField::AtBats) + get(StatField::Walks) + get(StatField::HitByPitch) +
               get(StatField::SacrificeFlies) + get(StatField::SacrificeHits) +
               get(StatField::CatchersInterference);
    }
};

std::map<int, PlayerTotal> regularTotals(const Records& records) {
    std::map<int, PlayerTotal> totals;
    for (const SeasonStatRecord& record : records) {
        if (record.statTypeCode() != regular()) continue;
        for (std::size_t i = 0; i < kStatFieldCount; ++i)
            totals[record.playerNumber()].sum[static_cast<StatField>(i)] +=
                record.get(static_cast<StatField>(i));
    }
    return totals;
}

long leagueSum(const Records& records, StatField field, int statType = code(StatType::Regular)) {
    long sum = 0;
    for (const SeasonStatRecord& record : records)
        if (record.statTypeCode() == statType) sum += record.get(field);
    return sum;
}

double best(const std::map<int, PlayerTotal>& totals, auto eligible, auto value) {
    double most = 0;
    bool any = false;
    for (const auto& [player, total] : totals)
        if (eligible(total) && (!any || value(total) > most)) {
            most = value(total);
            any = true;
        }
    return most;
}

class DemoLeague : public ::testing::TestWithParam<std::uint64_t> {
protected:
    static constexpr int kSeasons = 5;
    // Each seed's league is made once, for every test of that seed.
    void SetUp() override {
        static std::map<std::uint64_t, std::vector<DemoSeasonBytes>> leagues;
        const auto [made, isNew] = leagues.try_emplace(GetParam());
        if (isNew) made->second = makeDemoLeague({.seed = GetParam(), .seasons = kSeasons});
        league_ = made->second;
    }
    std::vector<DemoSeasonBytes> league_;
};

TEST_P(DemoLeague, EverySeasonIsAConsistentScheduleOf162Games) {
    ASSERT_EQ(league_.size(), static_cast<std::size_t>(kSeasons));
    for (const DemoSeasonBytes& season : league_) {
        const Records records = recordsOf(season.stats);
        std::map<int, long> starts, decisions;
        for (const SeasonStatRecord& record : records)
            if (record.statTypeCode() == regular()) {
                starts[record.teamNumber()] += record.get(StatField::GamesStarted);
                decisions[record.teamNumber()] += record.wins() + record.losses();
            }
        ASSERT_EQ(starts.size(), 30u) << season.year;
        for (const auto& [team, games] : starts) {
            EXPECT_EQ(games, 162) << season.year << " team " << team;
            EXPECT_EQ(decisions[team], 162) << season.year << " team " << team;
        }
        EXPECT_EQ(leagueSum(records, StatField::Wins), leagueSum(records, StatField::Losses));
        EXPECT_EQ(leagueSum(records, StatField::Runs), leagueSum(records, StatField::RunsAllowed));
        long plateAppearances = 0;
        for (const auto& [player, total] : regularTotals(records))
            plateAppearances += total.plateAppearances();
        const double perGame = static_cast<double>(plateAppearances) / (30 * 162);
        EXPECT_GE(perGame, 37.0) << season.year;
        EXPECT_LE(perGame, 40.0) << season.year;
        const double outsPerTeam = leagueSum(records, StatField::OutsPitched) / 30.0;
        EXPECT_NEAR(outsPerTeam, 27 * 162, 0.03 * 27 * 162) << season.year;
    }
}

TEST_P(DemoLeague, NoPlayerPlaysMorePositionsThanGames) {
    for (const DemoSeasonBytes& season : league_)
        for (const SeasonStatRecord& record : recordsOf(season.stats)) {
            int atPositions = 0;
            for (int position = 0; position < kPositionCount; ++position) {
                atPositions += record.gamesAtPosition(position);
                EXPECT_LE(record.atPosition(PositionArray::Starts, position),
                          record.gamesAtPosition(position));
            }
            EXPECT_LE(atPositions, std::max(record.battingGames(), record.gamesPitched()))
                << season.year << " player " << record.playerNumber();
            EXPECT_EQ(record.gamesAtPosition(0), record.gamesPitched());
        }
}

TEST_P(DemoLeague, PreSeasonAndPlayOffsHaveTheirTeamsAndGames) {
    const std::map<int, std::pair<std::size_t, std::pair<long, long>>> phases = {
        {code(StatType::PreSeason), {30, {25, 35}}},
        {code(StatType::Dcs), {8, {3, 5}}},
        {code(StatType::Lcs), {4, {4, 7}}},
        {code(StatType::Ws), {2, {4, 7}}}};
    for (const DemoSeasonBytes& season : league_) {
        std::map<int, std::map<int, long>> startsByPhase; // phase -> team -> starts
        for (const SeasonStatRecord& record : recordsOf(season.stats))
            startsByPhase[record.statTypeCode()][record.teamNumber()] += record.get(StatField::GamesStarted);
        std::set<int> previousRound;
        for (const auto& [phase, expected] : phases) {
            const auto& [teams, range] = expected;
            const auto& starts = startsByPhase[phase];
            EXPECT_EQ(starts.size(), teams) << season.year << " phase " << phase;
            std::set<int> round;
            for (const auto& [team, games] : starts) {
                EXPECT_GE(games, range.first) << season.year << " phase " << phase;
                EXPECT_LE(games, range.second) << season.year << " phase " << phase;
                round.insert(team);
                if (phase > code(StatType::Dcs)) {
                    EXPECT_TRUE(previousRound.count(team)) << "team " << team << " skipped a round";
                }
            }
            if (phase != code(StatType::PreSeason)) previousRound = round;
        }
        // Both teams of a series played the same number of games.
        EXPECT_EQ(startsByPhase[code(StatType::Ws)].begin()->second,
                  startsByPhase[code(StatType::Ws)].rbegin()->second);
    }
}

struct Range {
    const char* what;
    double low;
    double high;
};

TEST_P(DemoLeague, LeagueRatesAndLeadersLookLikeBaseball) {
    for (const DemoSeasonBytes& season : league_) {
        const Records records = recordsOf(season.stats);
        const auto totals = regularTotals(records);
        auto sum = [&](StatField field) { return static_cast<double>(leagueSum(records, field)); };
        using F = StatField;
        const double atBats = sum(F::AtBats), hits = sum(F::Hits);
        const double onBase = hits + sum(F::Walks) + sum(F::HitByPitch);
        const double bases = hits + sum(F::Doubles) + 2 * sum(F::Triples) + 3 * sum(F::HomeRuns);
        auto batting = [](const PlayerTotal&) { return true; };
        auto qualifiedBatter = [](const PlayerTotal& t) { return t.plateAppearances() >= 502; };
        auto qualifiedPitcher = [](const PlayerTotal& t) { return t.get(F::OutsPitched) >= 3 * 162; };
        auto count = [&](F field) { return [field](const PlayerTotal& t) { return double(t.get(field)); }; };
        auto average = [](const PlayerTotal& t) { return double(t.get(F::Hits)) / t.get(F::AtBats); };
        auto era = [](const PlayerTotal& t) { return -27.0 * t.get(F::EarnedRuns) / t.get(F::OutsPitched); };
        const std::vector<std::pair<Range, double>> checks = {
            {{"league AVG", .240, .275}, hits / atBats},
            {{"league OBP", .305, .345},
             onBase / (atBats + sum(F::Walks) + sum(F::HitByPitch) + sum(F::SacrificeFlies))},
            {{"league SLG", .370, .450}, bases / atBats},
            {{"league ERA", 3.40, 4.90}, 27.0 * sum(F::EarnedRuns) / sum(F::OutsPitched)},
            {{"HR leader", 30, 65}, best(totals, batting, count(F::HomeRuns))},
            {{"AVG leader", .310, .380}, best(totals, qualifiedBatter, average)},
            {{"hits leader", 180, 250}, best(totals, batting, count(F::Hits))},
            {{"RBI leader", 100, 165}, best(totals, batting, count(F::RunsBattedIn))},
            {{"SB leader", 25, 90}, best(totals, batting, count(F::StolenBases))},
            {{"wins leader", 15, 26}, best(totals, batting, count(F::Wins))},
            {{"strikeout leader", 180, 330}, best(totals, batting, count(F::PitcherStrikeouts))},
            {{"ERA leader", 1.80, 3.20}, -best(totals, qualifiedPitcher, era)},
        };
        for (const auto& [range, value] : checks) {
            EXPECT_GE(value, range.low) << season.year << " " << range.what;
            EXPECT_LE(value, range.high) << season.year << " " << range.what;
        }
        EXPECT_GE(
            std::count_if(totals.begin(), totals.end(), [&](auto& t) { return qualifiedBatter(t.second); }),
            120);
        EXPECT_GE(
            std::count_if(totals.begin(), totals.end(), [&](auto& t) { return qualifiedPitcher(t.second); }),
            40);
    }
}

// Playing time as a real club hands it out: the top of a five-man rotation
// makes 30 to 34 starts and the rest of it and the spares 10 to 29; aces pitch
// deep and now and then finish; regulars, platoons and the bench share the
// plate appearances; position players bunt too; outfielders make errors.
TEST_P(DemoLeague, PlayingTimeIsAClubs) {
    for (const DemoSeasonBytes& season : league_) {
        const Records records = recordsOf(season.stats);
        const auto totals = regularTotals(records);
        using F = StatField;
        std::map<int, int> teamsMostStarts;
        long outfieldErrors = 0, outfieldChances = 0, positionPlayersBunts = 0;
        for (const SeasonStatRecord& record : records) {
            if (record.statTypeCode() != regular()) continue;
            int& most = teamsMostStarts[record.teamNumber()];
            most = std::max(most, record.get(F::GamesStarted));
            if (record.get(F::GamesPitched) == 0) positionPlayersBunts += record.get(F::SacrificeHits);
            for (int position = demo::kLF; position <= demo::kRF; ++position) {
                const int errors = record.atPosition(PositionArray::Errors, position);
                outfieldErrors += errors;
                outfieldChances += errors + record.atPosition(PositionArray::Putouts, position) +
                                   record.atPosition(PositionArray::Assists, position);
            }
        }
        auto players = [&](auto test) {
            return static_cast<double>(
                std::count_if(totals.begin(), totals.end(), [&](const auto& t) { return test(t.second); }));
        };
        auto starts = [](long low, long high) {
            return [=](const PlayerTotal& t) {
                return t.get(F::GamesStarted) >= low && t.get(F::GamesStarted) <= high;
            };
        };
        auto count = [](F field) { return [field](const PlayerTotal& t) { return double(t.get(field)); }; };
        auto all = [](const PlayerTotal&) { return true; };
        const double teamsWithAnAce = static_cast<double>(std::count_if(
            teamsMostStarts.begin(), teamsMostStarts.end(), [](auto& t) { return t.second >= 30; }));
        const std::vector<std::pair<Range, double>> checks = {
            {{"starts of the busiest starter", 30, 34}, best(totals, all, count(F::GamesStarted))},
            {{"teams whose busiest starter made 30", 20, 30}, teamsWithAnAce},
            {{"starters of 30 to 34 starts", 30, 80}, players(starts(30, 34))},
            {{"starters of 10 to 29 starts", 90, 200}, players(starts(10, 29))},
            {{"innings leader", 200, 240}, best(totals, all, count(F::OutsPitched)) / 3},
            {{"strikeout leader", 250, 330}, best(totals, all, count(F::PitcherStrikeouts))},
            {{"complete games", 20, 80}, static_cast<double>(leagueSum(records, F::CompleteGames))},
            {{"qualified batters", 125, 165},
             players([](const PlayerTotal& t) { return t.plateAppearances() >= 502; })},
            {{"qualified pitchers", 50, 90},
             players([](const PlayerTotal& t) { return t.get(F::OutsPitched) >= 486; })},
            {{"position players' sacrifice hits", 40, 400}, static_cast<double>(positionPlayersBunts)},
            {{"outfield fielding average", .975, .992},
             1 - static_cast<double>(outfieldErrors) / static_cast<double>(outfieldChances)},
        };
        for (const auto& [range, value] : checks) {
            EXPECT_GE(value, range.low) << season.year << " " << range.what;
            EXPECT_LE(value, range.high) << season.year << " " << range.what;
        }
    }
}

TEST_P(DemoLeague, CareersKeepTheirNumbersAndNamesWhilePlayersComeAndGo) {
    std::map<int, std::string> everName;
    std::set<int> previous;
    int previousMax = 0;
    for (const DemoSeasonBytes& season : league_) {
        const auto names = playerNames(season.players);
        std::set<int> present;
        for (const auto& [number, name] : names) {
            present.insert(number);
            const auto [known, fresh] = everName.emplace(number, name);
            EXPECT_EQ(known->second, name) << "player " << number << " was renamed";
        }
        if (!previous.empty()) {
            std::size_t gone = 0;
            for (int number : previous)
                gone += present.count(number) == 0;
            const double share = static_cast<double>(gone) / static_cast<double>(previous.size());
            EXPECT_GE(share, 0.08) << season.year << ": too few retired";
            EXPECT_LE(share, 0.17) << season.year << ": too many retired";
            EXPECT_GT(names.rbegin()->first, previousMax) << season.year << ": no rookie with a new number";
        }
        previous = present;
        previousMax = names.rbegin()->first;
        std::map<int, std::set<int>> teamsOf;
        std::set<std::pair<int, int>> lines;
        for (const SeasonStatRecord& record : recordsOf(season.stats)) {
            EXPECT_TRUE(names.count(record.playerNumber())) << "a record of an unknown player";
            EXPECT_TRUE(
                lines.insert({record.playerNumber() * 100 + record.teamNumber(), record.statTypeCode()})
                    .second)
                << "two rows of one player for one team and stat type";
            if (record.statTypeCode() == regular())
                teamsOf[record.playerNumber()].insert(record.teamNumber());
        }
        const auto traded =
            std::count_if(teamsOf.begin(), teamsOf.end(), [](auto& p) { return p.second.size() == 2; });
        for (const auto& [player, teams] : teamsOf)
            EXPECT_LE(teams.size(), 2u) << "player " << player;
        const double share = static_cast<double>(traded) / static_cast<double>(teamsOf.size());
        EXPECT_GE(share, 0.05) << season.year;
        EXPECT_LE(share, 0.10) << season.year;
    }
}

TEST_P(DemoLeague, TheSameOptionsGiveTheSameBytesAndAnotherSeedAnotherLeague) {
    const auto again = makeDemoLeague({.seed = GetParam(), .seasons = kSeasons});
    const auto other = makeDemoLeague({.seed = GetParam() + 100, .seasons = 1});
    for (std::size_t i = 0; i < league_.size(); ++i) {
        EXPECT_EQ(league_[i].year, 2031 + static_cast<int>(i));
        EXPECT_TRUE(league_[i].stats == again[i].stats && league_[i].players == again[i].players &&
                    league_[i].teams == again[i].teams)
            << league_[i].year;
    }
    EXPECT_FALSE(other.front().stats == league_.front().stats);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DemoLeague, ::testing::Values(1u, 2u, 3u));

// Copies of the league for load keep every copy's schedule whole.
TEST(DemoLoad, RecordsAddWholeLeaguesAtOtherNumbers) {
    const DemoSeasonBytes season = makeDemoSeason({.seed = 4, .records = 200000});
    const Records records = recordsOf(season.stats);
    ASSERT_GE(records.size(), 200000u);
    ASSERT_LT(records.size(), 200000u + 4000u);
    const std::size_t copies = (records.size() + 1300) / 2600;
    std::map<int, long> starts, decisions;
    std::set<int> players;
    for (const SeasonStatRecord& record : records) {
        players.insert(record.playerNumber());
        if (record.statTypeCode() != regular()) continue;
        starts[record.teamNumber()] += record.get(StatField::GamesStarted);
        decisions[record.teamNumber()] += record.wins() + record.losses();
    }
    EXPECT_EQ(starts.size(), 90u);
    for (const auto& [team, games] : starts) {
        EXPECT_EQ(games % 162, 0) << "team " << team;
        EXPECT_EQ(decisions[team], games) << "team " << team;
    }
    EXPECT_GT(*players.rbegin(), 4500);
    EXPECT_LE(*players.rbegin(), 6000);
    EXPECT_GE(copies, 70u);
    EXPECT_EQ(season.teams.size(), 90 * kTeamRecordSize);
}

TEST(DemoFolders, TheFolderAndItsParentsAreMadeAndEachSeasonHasItsOwn) {
    testing::TempFolder root;
    const std::string out = root.file("a/b/league");
    std::vector<std::string> said;
    const DemoSeasonSummary summary = writeDemoSeason(out, {.seed = 2, .seasons = 2, .firstYear = 1990},
                                                      [&](const std::string& line) { said.push_back(line); });
    ASSERT_EQ(summary.error, "");
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[1].substr(0, 6), "1991: ");
    for (const char* year : {"1990", "1991"})
        for (const char* file : {"zelteam.dat", "zelplyr.dat", "zelgs.dat"})
            EXPECT_TRUE(std::filesystem::is_regular_file(out + "/" + year + "/" + file)) << year << file;
    const DemoSeasonSummary single = writeDemoSeason(root.file("x/y"), {.seed = 2});
    ASSERT_EQ(single.error, "");
    EXPECT_TRUE(std::filesystem::is_regular_file(root.file("x/y/zelgs.dat")));
    // A file where a folder must go.
    EXPECT_NE(writeDemoSeason(root.file("x/y/zelgs.dat/z"), {.seed = 2}).error, "");
    EXPECT_NE(writeDemoSeason(root.file("q"), {.seed = 2, .seasons = 31}).error, "");
}

} // namespace
} // namespace boxloom
