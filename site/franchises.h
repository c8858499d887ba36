#pragma once

// A team number's seasons across the league's history, as its franchise page
// shows them: the record, the runs, how far it went, and who led it.

#include "league_data.h"
#include "rules.h"

#include <cstdint>
#include <string>
#include <vector>

namespace boxloom::site {

struct FranchiseSeason {
    std::size_t season = 0; // index into the seasons
    Standing standing;      // its team points into that season
    // The last playoff round it has rows in ("" when none), and whether it won
    // that round when it is the season's last.
    std::string roundReached;
    bool champion = false;
};

struct Franchise {
    std::int64_t teamId = 0;
    std::string name; // as its latest season calls it
    std::vector<FranchiseSeason> seasons;
};

// The franchises of every team number, in team number order.
std::vector<Franchise> franchisesOf(const std::vector<SeasonData>& seasons);

} // namespace boxloom::site
