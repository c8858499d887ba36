#pragma once

// Ranks players on a category's exact values; ties share a rank.

#include "exact_ratios.h"
#include "rules.h"

#include <optional>
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

// A single-season record as it stood after each season: its value and the
// candidates holding it (several when a later season tied it).
struct RecordStep {
    std::optional<Ratio> record; // none until a season has a candidate
    std::vector<Candidate> holders;
};

// The record after each season, from each season's candidates, in season order.
std::vector<RecordStep> recordProgression(const std::vector<std::vector<Candidate>>& seasons,
                                          Direction direction);

} // namespace boxloom::site
