#pragma once

// League-adjusted statistics: each season measured against its own league's
// Regular totals (no park factor), as a sim league's run environment is its own.
//
// Each line of a season gets derived counters: what it adds to a weighted sum
// (the league's OBP and SLG over his plate appearances, his wOBA points, his
// runs above average, the league's ERA over his outs...). They add up like the
// counters, so a traded player's total, a team's and a career are weighted by
// the seasons and rows they are made of.

#include "exact_ratios.h"
#include "league_data.h"

#include <array>

namespace boxloom::site {

// Derived counters are fixed-point: a billionth of a unit, each line's held
// within a range whose sums over a league's seasons cannot overflow. A
// league's constant is rounded once and multiplied by a line's count, so
// that it comes back exactly from any line of its season: lines whose own
// rates are equal have exactly equal figures, and tie.
inline constexpr Counter kDerivedScale = 1'000'000'000;
inline constexpr Counter kDerivedLimit = 100'000'000'000'000;

namespace adj {
// After a batting line's own counters.
enum : std::size_t {
    LeagueObpByPa = bat::Count, // lgOBP × PA
    LeagueSlgByPa,              // lgSLG × PA
    WobaPoints,                 // Σ weight × count, each weight rounded once
    // wRAA = wOBA × PA / scale − lgwOBA × PA / scale: from these two, a
    // season's total (a traded player's TOT) is the formula on its own line.
    PaOverScale,         // PA / wOBA scale
    LeagueWobaOverScale, // lgwOBA × PA / wOBA scale
    LeagueRuns,          // lgR / lgPA × PA: an average hitter's runs in his plate appearances
    BattingEnd
};
// After a pitching line's own counters.
enum : std::size_t {
    LeagueEraByOuts = pit::Count, // lgERA × outs
    FipConstantByOuts,            // cFIP × outs
    PitchingEnd
};
} // namespace adj
static_assert(std::size_t{adj::BattingEnd} - bat::Count <= Counters::kDerivedCount &&
              std::size_t{adj::PitchingEnd} - pit::Count <= Counters::kDerivedCount);

struct WobaWeights {
    double walk = 0; // unintentional
    double hitByPitch = 0;
    double single = 0;
    double double_ = 0;
    double triple = 0;
    double homeRun = 0;
};

// A season's league figures, from its Regular rows. The batting figures leave
// out pitchers' own batting (players of kind 2 and the grouped pitchers' rows).
struct LeagueBaselines {
    Counters batting;  // summed counters of the batters
    Counters pitching; // summed counters of every pitcher
    Ratio onBase;
    Ratio slugging;
    Ratio earnedRunAverage;
    double runsPerOut = 0;
    WobaWeights weights;
    double wobaScale = 0; // 1 / (runPlus + runMinus)
    double woba = 0;      // the league's, which equals its OBP without intentional walks
    double runsPerPlateAppearance = 0;
    double fipConstant = 0;
};

LeagueBaselines leagueBaselines(const SeasonData& season);

// Adds the derived counters to every batting and pitching line of the season.
void addLeagueAdjusted(SeasonData& season);

// wOBA's points of counters under the weights: a line's Σ weight × count.
double wobaPoints(const Counters& batting, const WobaWeights& weights);

Ratio onBasePlusSluggingPlus(const Counters& c);
Ratio weightedOnBase(const Counters& c);
Ratio runsAboveAverage(const Counters& c);
Ratio runsCreated(const Counters& c);
Ratio runsCreatedPlus(const Counters& c);
Ratio earnedRunAveragePlus(const Counters& c);
Ratio fieldingIndependentPitching(const Counters& c);

} // namespace boxloom::site
