#pragma once

// The database's seasons as a list shows them: the league window's season
// list and `boxloom-export --list-seasons` print the same columns.

#include "sqlite_db.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::database {

struct SeasonSummary {
    std::string label;
    std::int64_t year = 0; // the teams' year, 0 without teams
    std::int64_t teams = 0;
    std::int64_t players = 0;
    std::int64_t rows = 0; // in the statistics tables
    std::string importedAt;
    // Games per team as the site finds them: the most Regular-season starts of a team.
    std::int64_t games = 0;
    bool operator==(const SeasonSummary&) const = default;
};

struct SeasonListColumn {
    std::string_view caption;
    bool numeric;
};
inline constexpr std::array<SeasonListColumn, 7> kSeasonListColumns = {{{"Label", false},
                                                                        {"Year", true},
                                                                        {"Teams", true},
                                                                        {"Players", true},
                                                                        {"Rows", true},
                                                                        {"Games", true},
                                                                        {"Imported", false}}};

using SeasonListCells = std::array<std::string, kSeasonListColumns.size()>;
SeasonListCells seasonListCells(const SeasonSummary& season);

// The seasons of `labels` (every season when empty), in label order; the
// reason it failed, or "".
std::string readSeasonSummaries(Connection& db, std::vector<SeasonSummary>& list,
                                const std::vector<std::string>& labels = {});

} // namespace boxloom::database
