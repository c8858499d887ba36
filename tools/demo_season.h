#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace boxloom {

struct DemoSeasonOptions {
    std::uint64_t seed = 1;
    std::uint64_t records = 10000; // approximate size of the season statistics file
};

struct DemoSeasonSummary {
    int teams = 0;
    int players = 0;
    std::uint64_t statRecords = 0;
    std::string error; // empty on success
};

// Writes zelteam.dat, zelplyr.dat and zelgs.dat of an invented league into
// `folder`; the same seed always gives the same bytes.
DemoSeasonSummary writeDemoSeason(const std::string& folder, const DemoSeasonOptions& options);

// The same season's three files in memory.
struct DemoSeasonBytes {
    std::vector<std::uint8_t> teams;
    std::vector<std::uint8_t> players;
    std::vector<std::uint8_t> stats;
};
DemoSeasonBytes makeDemoSeason(const DemoSeasonOptions& options);

} // namespace boxloom
