#include "demo_season.h"

#include "demo_league.h"
#include "league_builder.h"
#include "league_files.h"
#include "paths.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace boxloom {

namespace {

using demo::kLeagueTeams;

constexpr std::array<std::string_view, kLeagueTeams> kCities = {
    "Riverton",    "Lakeport",   "Ashford",     "Brindle Bay", "Cold Harbor", "Dunmore",
    "Elmsworth",   "Fairhollow", "Glenwick",    "Harrowgate",  "Ironvale",    "Juniper",
    "Kestrel",     "Larkfield",  "Millbrook",   "Northam",     "Oakhurst",    "Pinecrest",
    "Quarry Hill", "Redwater",   "Stonebridge", "Thornbury",   "Upton Vale",  "Valemont",
    "Westerly",    "Yarrowby",   "Zephyr Cove", "Bramblewood", "Copperton",   "Driftwood"};
constexpr std::array<std::string_view, kLeagueTeams> kNicknames = {
    "Owls",      "Herons", "Foxes",     "Mariners", "Lanterns", "Badgers", "Comets",   "Stags",
    "Pilots",    "Ravens", "Forgers",   "Jays",     "Kites",    "Larks",   "Millers",  "Nor'easters",
    "Acorns",    "Pines",  "Quarrymen", "Otters",   "Masons",   "Thorns",  "Voyagers", "Vipers",
    "Westwinds", "Yeomen", "Zephyrs",   "Brambles", "Coppers",  "Drifters"};

// Copies of the league added for load sit at other team and player numbers:
// copy k at teams 30 (k mod 3) + 1 to + 30 and players moved up by 1500 (k mod 4).
constexpr int kTeamBlocks = 3;
constexpr int kPlayerBlocks = 4;
constexpr int kPlayerBlockSize = 1500;
constexpr int kMaxPlayerNumber = 6000;

int teamNumber(int copy, int team) { return kLeagueTeams * (copy % kTeamBlocks) + team; }
int playerNumber(int copy, int id) {
    return (id + kPlayerBlockSize * (copy % kPlayerBlocks)) % kMaxPlayerNumber + 1;
}

std::string upperAbbreviation(std::string_view city) {
    std::string abbreviation(city.substr(0, 3));
    for (char& c : abbreviation)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return abbreviation;
}

LeagueFileBytes teamFile(int year, int copies) {
    LeagueFileBytes file;
    for (int copy = 0; copy < std::min(copies, kTeamBlocks); ++copy)
        for (int team = 1; team <= kLeagueTeams; ++team) {
            const std::string_view city = kCities[static_cast<std::size_t>(team - 1)];
            file.append(teamRecord({teamNumber(copy, team), year, std::string(city),
                                    std::string(kNicknames[static_cast<std::size_t>(team - 1)]),
                                    upperAbbreviation(city)}));
        }
    return file;
}

// Everyone on a team this season, the spare players too.
LeagueFileBytes playerFile(const std::vector<demo::Person>& people, int copies, int& count) {
    LeagueFileBytes file;
    count = 0;
    for (int copy = 0; copy < std::min(copies, kPlayerBlocks); ++copy)
        for (const demo::Person& person : people)
            if (person.team > 0) {
                file.append(playerRecord(
                    {playerNumber(copy, person.id), person.firstName, person.lastName, person.kind}));
                if (copy == 0) ++count;
            }
    return file;
}

// Records player by player, each player's phases in order.
std::vector<std::uint8_t> statBytes(const demo::LineBook& book, int copy) {
    std::vector<const demo::StatLine*> lines;
    for (const demo::StatLine& line : book.lines())
        if (line[StatField::BattingGames] > 0 || line[StatField::GamesPitched] > 0) lines.push_back(&line);
    std::sort(lines.begin(), lines.end(), [](const demo::StatLine* a, const demo::StatLine* b) {
        if (a->person != b->person) return a->person < b->person;
        if (a->statType != b->statType) return a->statType < b->statType;
        return a->order < b->order;
    });
    std::vector<std::uint8_t> bytes;
    bytes.reserve(lines.size() * kSeasonRecordSize);
    for (const demo::StatLine* line : lines) {
        const SeasonStatRecord record =
            demo::toRecord(*line, playerNumber(copy, line->person), teamNumber(copy, line->team));
        bytes.insert(bytes.end(), record.bytes().begin(), record.bytes().end());
    }
    return bytes;
}

// Receives the seasons as they are made; false stops the making.
struct SeasonSink {
    std::function<bool(const std::vector<std::uint8_t>&)> stats; // a chunk of the season's records
    std::function<bool(int year, const LeagueFileBytes& teams, const LeagueFileBytes& players)> finish;
};

bool makeLeague(const DemoSeasonOptions& options, DemoSeasonSummary& summary, SeasonSink& sink) {
    demo::DemoLeague league(options.seed, options.firstYear);
    int copies = 0; // settled by the first season
    for (int season = 0; season < options.seasons; ++season) {
        const demo::SeasonPlan& plan = league.nextSeason();
        std::uint64_t records = 0;
        for (int copy = 0; copies == 0 ? (copy == 0 || records < options.records) : copy < copies; ++copy) {
            demo::Random luck(options.seed, 1 + static_cast<std::uint64_t>(season) * 1000003u + copy);
            const std::vector<std::uint8_t> bytes =
                statBytes(demo::playSeason(league.people(), plan, luck), copy);
            records += bytes.size() / kSeasonRecordSize;
            if (!sink.stats(bytes)) return false;
            if (season == 0) summary.teams = std::min(copy + 1, kTeamBlocks) * kLeagueTeams;
            if (season == 0 && copies == 0 && records >= options.records) copies = copy + 1;
        }
        int players = 0;
        const LeagueFileBytes players_file = playerFile(league.people(), copies, players);
        summary.players = players;
        summary.statRecords = records;
        if (!sink.finish(plan.year, teamFile(plan.year, copies), players_file)) return false;
    }
    return true;
}

} // namespace

DemoSeasonSummary writeDemoSeason(const std::string& folder, const DemoSeasonOptions& options,
                                  const std::function<void(const std::string&)>& progress) {
    DemoSeasonSummary summary;
    std::string seasonFolder;
    std::FILE* stats = nullptr;
    auto open = [&](int year) {
        seasonFolder = options.seasons == 1 ? folder : joinPath(folder, std::to_string(year));
        if (!createFolders(seasonFolder)) {
            summary.error = "cannot create " + seasonFolder;
            return false;
        }
        stats = std::fopen(joinPath(seasonFolder, kStatsFileName).c_str(), "wb");
        if (stats == nullptr) summary.error = "cannot write " + joinPath(seasonFolder, kStatsFileName);
        return stats != nullptr;
    };
    int year = options.firstYear;
    SeasonSink sink;
    sink.stats = [&](const std::vector<std::uint8_t>& bytes) {
        if (stats == nullptr && !open(year)) return false;
        if (std::fwrite(bytes.data(), 1, bytes.size(), stats) == bytes.size()) return true;
        summary.error = "cannot write " + joinPath(seasonFolder, kStatsFileName);
        return false;
    };
    sink.finish = [&](int seasonYear, const LeagueFileBytes& teams, const LeagueFileBytes& players) {
        const bool closed = std::fclose(std::exchange(stats, nullptr)) == 0;
        ++year;
        if (!closed || !writeBinaryFile(joinPath(seasonFolder, kTeamFileName), teams.bytes()) ||
            !writeBinaryFile(joinPath(seasonFolder, kPlayerFileName), players.bytes())) {
            summary.error = "cannot write the league files into " + seasonFolder;
            return false;
        }
        summary.folders.push_back(seasonFolder);
        if (progress)
            progress(std::to_string(seasonYear) + ": " + std::to_string(summary.teams) + " teams, " +
                     std::to_string(summary.players) + " players, " + std::to_string(summary.statRecords) +
                     " season statistics records in " + seasonFolder);
        return true;
    };
    if (options.seasons < 1 || options.seasons > kMaxDemoSeasons) {
        summary.error = "the number of seasons must be 1 to " + std::to_string(kMaxDemoSeasons);
        return summary;
    }
    makeLeague(options, summary, sink);
    if (stats != nullptr) std::fclose(stats);
    return summary;
}

std::vector<DemoSeasonBytes> makeDemoLeague(const DemoSeasonOptions& options) {
    std::vector<DemoSeasonBytes> seasons(1);
    DemoSeasonSummary summary;
    SeasonSink sink;
    sink.stats = [&](const std::vector<std::uint8_t>& bytes) {
        seasons.back().stats.insert(seasons.back().stats.end(), bytes.begin(), bytes.end());
        return true;
    };
    sink.finish = [&](int year, const LeagueFileBytes& teams, const LeagueFileBytes& players) {
        seasons.back().year = year;
        seasons.back().teams = teams.bytes();
        seasons.back().players = players.bytes();
        seasons.emplace_back();
        return true;
    };
    makeLeague(options, summary, sink);
    seasons.pop_back();
    return seasons;
}

DemoSeasonBytes makeDemoSeason(const DemoSeasonOptions& options) {
    DemoSeasonOptions first = options;
    first.seasons = 1;
    return makeDemoLeague(first).front();
}

} // namespace boxloom
