#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace boxloom {

struct DemoSeasonOptions {
    std::uint64_t seed = 1;
    // At least this many season statistics records: copies of the league are
    // added until they are reached. 0 means one league.
    std::uint64_t records = 0;
    int seasons = 1;
    int firstYear = 2031;
};

inline constexpr int kMaxDemoSeasons = 30;

struct DemoSeasonSummary {
    int teams = 0;
    int players = 0;
    std::uint64_t statRecords = 0;
    std::vector<std::string> folders; // one per season written
    std::string error;                // empty on success
};

// Writes zelteam.dat, zelplyr.dat and zelgs.dat of an invented league into
// `folder` (created with its parents): with one season straight into it,
// with more into one folder per year. The same options give the same bytes.
// `progress` hears one line per season folder.
DemoSeasonSummary writeDemoSeason(const std::string& folder, const DemoSeasonOptions& options,
                                  const std::function<void(const std::string&)>& progress = {});

// One season's three files in memory.
struct DemoSeasonBytes {
    int year = 0;
    std::vector<std::uint8_t> teams;
    std::vector<std::uint8_t> players;
    std::vector<std::uint8_t> stats;
};
// The first season.
DemoSeasonBytes makeDemoSeason(const DemoSeasonOptions& options);
// Every season.
std::vector<DemoSeasonBytes> makeDemoLeague(const DemoSeasonOptions& options);

} // namespace boxloom
