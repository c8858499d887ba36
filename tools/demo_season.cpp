#include "demo_season.h"

#include "league_builder.h"
#include "paths.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

namespace boxloom {

namespace {

constexpr int kTeams = 30;
constexpr int kSeasonYear = 2031;

constexpr std::array<std::string_view, kTeams> kCities = {
    "Riverton",    "Lakeport",   "Ashford",     "Brindle Bay", "Cold Harbor", "Dunmore",
    "Elmsworth",   "Fairhollow", "Glenwick",    "Harrowgate",  "Ironvale",    "Juniper",
    "Kestrel",     "Larkfield",  "Millbrook",   "Northam",     "Oakhurst",    "Pinecrest",
    "Quarry Hill", "Redwater",   "Stonebridge", "Thornbury",   "Upton Vale",  "Valemont",
    "Westerly",    "Yarrowby",   "Zephyr Cove", "Bramblewood", "Copperton",   "Driftwood"};
constexpr std::array<std::string_view, kTeams> kNicknames = {
    "Owls",      "Herons", "Foxes",     "Mariners", "Lanterns", "Badgers", "Comets",   "Stags",
    "Pilots",    "Ravens", "Forgers",   "Jays",     "Kites",    "Larks",   "Millers",  "Nor'easters",
    "Acorns",    "Pines",  "Quarrymen", "Otters",   "Masons",   "Thorns",  "Voyagers", "Vipers",
    "Westwinds", "Yeomen", "Zephyrs",   "Brambles", "Coppers",  "Drifters"};
constexpr std::array<std::string_view, 24> kFirstNames = {
    "Abel", "Bram", "Cato", "Dax",  "Ezra", "Finn", "Gus", "Hale", "Ivo",   "Jory",  "Kip", "Lew",
    "Milo", "Ned",  "Otis", "Pell", "Quin", "Rolf", "Sol", "Tad",  "Ulric", "Vance", "Wes", "Zeb"};
constexpr std::array<std::string_view, 24> kLastNames = {
    "Ambrell", "Bexley", "Corrow",  "Dunfree", "Elsmere",  "Fallow", "Grint",   "Hollis",
    "Istley",  "Jarrow", "Kettner", "Loame",   "Marrick",  "Nettle", "Orwin",   "Pashley",
    "Quarles", "Rudge",  "Sallow",  "Tamsin",  "Ulverton", "Varley", "Wickens", "Yardley"};

// A small generator with every step fixed: the same seed gives the same season on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high]; high < low gives low.
    int between(int low, int high) {
        if (high <= low) return low;
        return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
    }
    // About `share` percent of `total`.
    int part(int total, int share) {
        return std::clamp((total * between(share - 5, share + 5) + 50) / 100, 0, total);
    }

private:
    std::uint64_t state_;
};

struct DemoPlayer {
    int number;
    int team;
    int kind;
    int position; // the main position of a position player
};

void writeTeams(LeagueFileBytes& file) {
    for (int team = 1; team <= kTeams; ++team) {
        const std::string_view city = kCities[static_cast<std::size_t>(team - 1)];
        std::string abbreviation(city.substr(0, 3));
        std::transform(abbreviation.begin(), abbreviation.end(), abbreviation.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
        file.append(teamRecord({team, kSeasonYear, std::string(city),
                                std::string(kNicknames[static_cast<std::size_t>(team - 1)]), abbreviation}));
    }
}

std::vector<DemoPlayer> writePlayers(LeagueFileBytes& file, Random& random) {
    std::vector<DemoPlayer> players;
    for (int team = 1; team <= kTeams; ++team) {
        const int rosterSize = random.between(25, 40);
        for (int slot = 0; slot < rosterSize; ++slot) {
            const int number = static_cast<int>(players.size()) + 1;
            const int kind = slot * 10 < rosterSize * 6 ? kPositionPlayer : kPitcher;
            players.push_back({number, team, kind, random.between(1, 8)});
            const auto first =
                kFirstNames[static_cast<std::size_t>(random.between(0, kFirstNames.size() - 1))];
            const auto last = kLastNames[static_cast<std::size_t>(random.between(0, kLastNames.size() - 1))];
            file.append(playerRecord({number, std::string(first), std::string(last), kind}));
        }
    }
    return players;
}

// Splits `total` into a left-handed and a right-handed share.
void splitCounter(SeasonStatRecord& record, SplitSide left, SplitSide right, SplitField field, int total,
                  int leftShare) {
    const int leftPart = total * leftShare / 100;
    record.set(left, field, leftPart);
    record.set(right, field, total - leftPart);
}

void fillBatting(SeasonStatRecord& record, Random& random, int games, int atBatsPerGame) {
    const int atBats = games * random.between(atBatsPerGame / 2, atBatsPerGame) / 10;
    const int hits = random.part(atBats, 26);
    const int homeRuns = random.part(hits, 10);
    const int triples = random.part(hits - homeRuns, 3);
    const int doubles = random.part(hits - homeRuns - triples, 20);
    const int walks = random.part(atBats, 9);
    const int leftShare = random.between(20, 40);
    const std::pair<StatField, int> counters[] = {
        {StatField::BattingGames, games},
        {StatField::AtBats, atBats},
        {StatField::Hits, hits},
        {StatField::Doubles, doubles},
        {StatField::Triples, triples},
        {StatField::HomeRuns, homeRuns},
        {StatField::Walks, walks},
        {StatField::Runs, random.part(hits + walks, 45)},
        {StatField::RunsBattedIn, random.part(hits, 48)},
        {StatField::HitByPitch, random.part(atBats, 1)},
        {StatField::Strikeouts, random.part(atBats, 19)},
        {StatField::IntentionalWalks, random.part(walks, 8)},
        {StatField::StolenBases, random.part(hits, 6)},
        {StatField::CaughtStealing, random.part(hits, 2)},
        {StatField::GameWinningRbi, random.part(hits, 5)},
        {StatField::SacrificeHits, random.part(atBats, 1)},
        {StatField::SacrificeFlies, random.part(atBats, 1)},
        {StatField::GroundedDoublePlays, random.part(atBats, 2)},
        {StatField::CatchersInterference, random.between(0, 30) == 0 ? 1 : 0},
    };
    for (const auto& [field, value] : counters)
        record.set(field, value);
    // The split sides add up to the totals.
    const std::pair<SplitField, StatField> shared[] = {
        {SplitField::AtBats, StatField::AtBats},
        {SplitField::Hits, StatField::Hits},
        {SplitField::Doubles, StatField::Doubles},
        {SplitField::Triples, StatField::Triples},
        {SplitField::HomeRuns, StatField::HomeRuns},
        {SplitField::RunsBattedIn, StatField::RunsBattedIn},
        {SplitField::HitByPitch, StatField::HitByPitch},
        {SplitField::Walks, StatField::Walks},
        {SplitField::Strikeouts, StatField::Strikeouts},
        {SplitField::SacrificeHits, StatField::SacrificeHits},
        {SplitField::CatchersInterference, StatField::CatchersInterference},
        {SplitField::SacrificeFlies, StatField::SacrificeFlies},
        {SplitField::IntentionalWalks, StatField::IntentionalWalks}};
    for (const auto& [split, total] : shared)
        splitCounter(record, SplitSide::BattingVsLeft, SplitSide::BattingVsRight, split, record.get(total),
                     leftShare);
}

void fillPitching(SeasonStatRecord& record, Random& random, int games, bool starter) {
    const int started = starter ? games : random.between(0, games / 10);
    const int outs = starter ? games * random.between(15, 21) : games * random.between(2, 5);
    const int opponentAtBats = outs * random.between(100, 125) / 100;
    const int hits = random.part(opponentAtBats, 25);
    const int homeRuns = random.part(hits, 11);
    const int triples = random.part(hits - homeRuns, 3);
    const int doubles = random.part(hits - homeRuns - triples, 20);
    const int runs = random.part(hits * 2, 25);
    const int decisions = starter ? random.part(started, 70) : random.part(games, 12);
    const int wins = random.part(decisions, 50);
    const std::pair<StatField, int> counters[] = {
        {StatField::GamesPitched, games},
        {StatField::GamesStarted, started},
        {StatField::CompleteGames, starter ? random.part(started, 6) : 0},
        {StatField::OutsPitched, outs},
        {StatField::OpponentAtBats, opponentAtBats},
        {StatField::HitsAllowed, hits},
        {StatField::DoublesAllowed, doubles},
        {StatField::TriplesAllowed, triples},
        {StatField::HomeRunsAllowed, homeRuns},
        {StatField::WalksAllowed, random.part(opponentAtBats, 8)},
        {StatField::PitcherStrikeouts, random.part(opponentAtBats, 20)},
        {StatField::HitBatsmen, random.part(opponentAtBats, 1)},
        {StatField::SacrificeFliesAllowed, random.part(opponentAtBats, 1)},
        {StatField::RunsAllowed, runs},
        {StatField::EarnedRuns, random.part(runs, 90)},
        {StatField::Wins, wins},
        {StatField::Losses, decisions - wins},
    };
    for (const auto& [field, value] : counters)
        record.set(field, value);
    const int leftShare = random.between(35, 50);
    const std::pair<SplitField, StatField> shared[] = {
        {SplitField::AtBats, StatField::OpponentAtBats},
        {SplitField::Hits, StatField::HitsAllowed},
        {SplitField::Doubles, StatField::DoublesAllowed},
        {SplitField::Triples, StatField::TriplesAllowed},
        {SplitField::HomeRuns, StatField::HomeRunsAllowed},
        {SplitField::HitByPitch, StatField::HitBatsmen},
        {SplitField::Walks, StatField::WalksAllowed},
        {SplitField::Strikeouts, StatField::PitcherStrikeouts},
        {SplitField::SacrificeFlies, StatField::SacrificeFliesAllowed}};
    for (const auto& [split, total] : shared)
        splitCounter(record, SplitSide::PitchingVsLeft, SplitSide::PitchingVsRight, split, record.get(total),
                     leftShare);
}

void fillFielding(SeasonStatRecord& record, Random& random, int position, int games) {
    const int starts = random.part(games, 85);
    const int chances = games * (position == 0 ? 2 : position <= 2 ? 8 : 3);
    record.set(PositionArray::Games, position, games);
    record.set(PositionArray::Starts, position, starts);
    record.set(PositionArray::Putouts, position, random.part(chances, position <= 2 ? 80 : 55));
    record.set(PositionArray::Assists, position, random.part(chances, position <= 2 ? 15 : 40));
    record.set(PositionArray::Errors, position, random.part(chances, 2));
}

// Games in a season phase; the playoffs are short.
int phaseGames(int statType, Random& random) {
    switch (static_cast<StatType>(statType)) {
    case StatType::PreSeason: return random.between(10, 30);
    case StatType::Regular: return random.between(60, 162);
    default: return random.between(3, 7);
    }
}

SeasonStatRecord playerSeason(const DemoPlayer& player, int team, int statType, Random& random) {
    SeasonStatRecord record = statRecord(player.number, team, statType);
    const int phase = phaseGames(statType, random);
    if (player.kind == kPositionPlayer) {
        const int games = std::min(phase, 255);
        fillBatting(record, random, games, 42);
        const int backup = games / random.between(4, 12);
        fillFielding(record, random, player.position, games - backup);
        if (backup > 0) fillFielding(record, random, (player.position % 8) + 1, backup);
    } else {
        const bool starter = player.number % 3 == 0;
        const int games = starter ? std::max(1, phase / 5) : std::max(1, phase / 3);
        fillPitching(record, random, games, starter);
        fillBatting(record, random, starter ? games : games / 4, starter ? 25 : 5);
        record.set(StatField::BattingGames, starter ? games : games / 4);
        fillFielding(record, random, 0, games);
    }
    return record;
}

// The playoff rounds reached: the first eight teams play DCS, four LCS, two WS.
bool playsIn(int team, int statType) {
    switch (static_cast<StatType>(statType)) {
    case StatType::Dcs: return team <= 8;
    case StatType::Lcs: return team <= 4;
    case StatType::Ws: return team <= 2;
    default: return true;
    }
}

// Yields the season's records one by one, player by player, each player's
// season phases in turn. The first pass is every player's own season; later
// passes add records of players who also played for another team.
class StatRecordStream {
public:
    StatRecordStream(const std::vector<DemoPlayer>& players, Random& random)
        : players_(players), random_(random) {}

    SeasonStatRecord next() {
        for (;;) {
            const DemoPlayer& player = players_[player_];
            if (phase_ == 0) team_ = pass_ == 0 ? player.team : random_.between(1, kTeams);
            const int statType = kPhases[phase_];
            advance();
            if (playsIn(team_, statType)) return playerSeason(player, team_, statType, random_);
        }
    }

private:
    static constexpr std::array<int, 5> kPhases = {code(StatType::PreSeason), code(StatType::Regular),
                                                   code(StatType::Dcs), code(StatType::Lcs),
                                                   code(StatType::Ws)};

    void advance() {
        if (++phase_ < kPhases.size()) return;
        phase_ = 0;
        if (++player_ < players_.size()) return;
        player_ = 0;
        ++pass_;
    }

    const std::vector<DemoPlayer>& players_;
    Random& random_;
    std::size_t player_ = 0;
    std::size_t phase_ = 0;
    int team_ = 0;
    int pass_ = 0;
};

} // namespace

namespace {

// Generates the statistics records in chunks, so that a million records need little memory.
template <class Sink>
std::uint64_t generateStats(const std::vector<DemoPlayer>& roster, Random& random, std::uint64_t records,
                            Sink sink) {
    constexpr std::uint64_t kChunk = 4096;
    StatRecordStream stream(roster, random);
    std::uint64_t made = 0;
    while (made < records) {
        LeagueFileBytes chunk;
        const std::uint64_t wanted = std::min(kChunk, records - made);
        for (std::uint64_t i = 0; i < wanted; ++i)
            chunk.append(stream.next());
        made += wanted;
        if (!sink(chunk.bytes())) break;
    }
    return made;
}

} // namespace

DemoSeasonSummary writeDemoSeason(const std::string& folder, const DemoSeasonOptions& options) {
    DemoSeasonSummary summary;
    Random random(options.seed);
    LeagueFileBytes teams, players;
    writeTeams(teams);
    const std::vector<DemoPlayer> roster = writePlayers(players, random);
    summary.teams = kTeams;
    summary.players = static_cast<int>(roster.size());
    if (!writeBinaryFile(joinPath(folder, "zelteam.dat"), teams.bytes()) ||
        !writeBinaryFile(joinPath(folder, "zelplyr.dat"), players.bytes())) {
        summary.error = "cannot write the league files into " + folder;
        return summary;
    }
    std::FILE* stats = std::fopen(joinPath(folder, "zelgs.dat").c_str(), "wb");
    if (stats == nullptr) {
        summary.error = "cannot write " + joinPath(folder, "zelgs.dat");
        return summary;
    }
    bool ok = true;
    summary.statRecords =
        generateStats(roster, random, options.records, [&](const std::vector<std::uint8_t>& b) {
            ok = std::fwrite(b.data(), 1, b.size(), stats) == b.size();
            return ok;
        });
    if (std::fclose(stats) != 0 || !ok) summary.error = "cannot write " + joinPath(folder, "zelgs.dat");
    return summary;
}

DemoSeasonBytes makeDemoSeason(const DemoSeasonOptions& options) {
    DemoSeasonBytes season;
    Random random(options.seed);
    LeagueFileBytes teams, players;
    writeTeams(teams);
    const std::vector<DemoPlayer> roster = writePlayers(players, random);
    season.teams = teams.bytes();
    season.players = players.bytes();
    generateStats(roster, random, options.records, [&](const std::vector<std::uint8_t>& b) {
        season.stats.insert(season.stats.end(), b.begin(), b.end());
        return true;
    });
    return season;
}

} // namespace boxloom
