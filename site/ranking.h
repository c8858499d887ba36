#pragma once

// Ranks players on a category's exact values; ties share a rank.

#include "rates.h"
#include "rules.h"

#include <string>
#include <string_view>
#include <vector>

namespace boxloom::site {

// Kept small: a category has a candidate for every player of a season, and
// only the few ranked ones are ever shown.
struct Candidate {
    std::string_view sortName; // "Last,First": ties are listed alphabetically
    Ratio value;
    std::size_t source = 0; // which of the caller's players it stands for
};

struct Ranked {
    std::string rank; // "1", or "T-2" for a shared rank
    Candidate candidate;
};

// The candidates of rank `limit` or better, best first; ties crossing the cut
// are all kept. Undefined values are never ranked.
std::vector<Ranked> rankCandidates(std::vector<Candidate> candidates, Direction direction, std::size_t limit);

} // namespace boxloom::site
