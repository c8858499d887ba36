// Writes small seed inputs for each harness, cut from a demo season:
// make_seeds OUT_FOLDER makes OUT_FOLDER/{export,league_files,number_masks,commit_record,site}/.

#include "commit_record.h"
#include "demo_season.h"
#include "fuzz_input.h"
#include "season_import.h"
#include "season_stats.h"
#include "sqlite_db.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

using namespace boxloom;
namespace fs = std::filesystem;

namespace {

void writeSeed(const fs::path& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A league database of one or two demo seasons cut down to a few players, in
// small pages: a seed of a few kilobytes that still reaches every page kind.
std::vector<std::uint8_t> smallLeague(const fs::path& work, int seasons) {
    fs::remove_all(work);
    fs::create_directories(work);
    std::vector<database::SeasonSource> sources;
    for (int i = 0; i < seasons; ++i) {
        const fs::path folder = work / std::to_string(2031 + i);
        writeDemoSeason(folder.string(), {.seed = static_cast<std::uint64_t>(1 + i)});
        sources.push_back({folder.filename().string(), folder.string()});
    }
    const fs::path path = work / "league.db";
    database::importSeasons(path.string(), sources, ExportOptions{});
    database::Connection db;
    db.open(path.string());
    std::string sql;
    for (const char* table : {"Batting_Stats", "Pitching_Stats", "Fielding_Stats", "Batting_Splits",
                              "Pitching_Splits", "Players"})
        sql += std::string("DELETE FROM \"") + table + "\" WHERE \"PlayerID\" > 8;";
    db.execute(sql + "PRAGMA page_size = 512; VACUUM;");
    db.close();
    return fileBytes(path);
}

std::span<const std::uint8_t> firstRecords(const std::vector<std::uint8_t>& file, std::size_t count,
                                           std::size_t recordSize) {
    return std::span<const std::uint8_t>(file).first(std::min(file.size(), count * recordSize));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_seeds OUT_FOLDER\n";
        return 2;
    }
    const fs::path out = argv[1];
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        const DemoSeasonBytes season = makeDemoSeason({.seed = seed});
        const std::size_t teams = 2 + seed;
        const std::size_t players = 8 * seed;
        const std::string name = "demo-" + std::to_string(seed);
        writeSeed(out / "export", name,
                  fuzzing::joinInput(static_cast<std::uint8_t>(seed), static_cast<std::uint8_t>(seed), teams,
                                     players, firstRecords(season.teams, teams, kTeamRecordSize),
                                     firstRecords(season.players, players, kPlayerRecordSize),
                                     firstRecords(season.stats, 10 * seed, kSeasonRecordSize)));
        const auto teamFile = firstRecords(season.teams, teams, kTeamRecordSize);
        std::vector<std::uint8_t> teamSeed = {static_cast<std::uint8_t>(0x80 + seed)};
        teamSeed.insert(teamSeed.end(), teamFile.begin(), teamFile.end());
        writeSeed(out / "league_files", name + "-teams", teamSeed);
        const auto playerFile = firstRecords(season.players, players, kPlayerRecordSize);
        std::vector<std::uint8_t> playerSeed = {0};
        playerSeed.insert(playerSeed.end(), playerFile.begin(), playerFile.end());
        writeSeed(out / "league_files", name + "-players", playerSeed);
    }
    // A record as earlier versions named runs (the process's number) and as this one does.
    for (const RunId run : {RunId{4711}, RunId{4711, 0x00c0ffee00c0ffee}}) {
        for (std::uint8_t present : {0x00, 0x5A, 0xFF}) {
            const std::string id = formatRunId(run);
            const std::string side = "~Batting_Stats.CSV." + id + "-";
            const CommitRecord record{run,
                                      "2031-04-01T12:00:00Z",
                                      {{"Batting_Stats.CSV", side + "0.tmp", side + "1.old"},
                                       {"Fielding_Stats.TXT", "~Fielding_Stats.TXT." + id + "-2.tmp", ""}}};
            const std::string text = formatCommitRecord(record);
            std::vector<std::uint8_t> bytes = {present};
            bytes.insert(bytes.end(), text.begin(), text.end());
            writeSeed(out / "commit_record", "record-" + id + "-" + std::to_string(present), bytes);
        }
    }
    for (int seasons : {1, 2})
        writeSeed(out / "site", "league-" + std::to_string(seasons), smallLeague(out / "work", seasons));
    fs::remove_all(out / "work");
    const std::pair<float, const char*> masks[] = {
        {0.3125f, "##.000"}, {2.7f, "0.00"}, {233.3333f, "0.0"}, {-0.0005f, "#.000"}, {3.4e38f, "000.0000"}};
    int index = 0;
    for (const auto& [value, picture] : masks) {
        std::vector<std::uint8_t> bytes(6);
        std::memcpy(bytes.data(), &value, sizeof value);
        bytes[4] = static_cast<std::uint8_t>(3 + index);
        bytes[5] = static_cast<std::uint8_t>(1 + index);
        bytes.insert(bytes.end(), picture, picture + std::strlen(picture));
        writeSeed(out / "number_masks", "mask-" + std::to_string(index++), bytes);
    }
    return 0;
}
