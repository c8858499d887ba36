#pragma once

// Ranks players on a category's exact values; ties share a rank.

#include "rates.h"
#include "rules.h"

#include <string>
#include <vector>

namespace boxloom::site {

struct Candidate {
    std::string sortName; // "Last,First": ties are listed alphabetically
    std::string name;
    std::string link;
    std::string team;
    Ratio value;
    Shown shown = Shown::Count;
    std::int64_t playerId = 0;
};

struct Ranked {
    std::string rank; // "1", or "T-2" for a shared rank
    Candidate candidate;
};

// The candidates of rank `limit` or better, best first; ties crossing the cut
// are all kept. Undefined values are never ranked.
std::vector<Ranked> rankCandidates(std::vector<Candidate> candidates, Direction direction, std::size_t limit);

} // namespace boxloom::site
