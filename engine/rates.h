#pragma once

// Every rate is computed in floating point and stored as a float before it is
// formatted. A rate is 0 when its guard fails or its divisor is not positive,
// so inconsistent counters never divide by zero. Sums are 32-bit.

#include "season_stats.h"
#include "wrapping_sum.h"

#include <cstdint>

namespace boxloom {

struct HittingCounts {
    std::int32_t atBats = 0;
    std::int32_t hits = 0;
    std::int32_t doubles = 0;
    std::int32_t triples = 0;
    std::int32_t homeRuns = 0;
    std::int32_t walks = 0;
    std::int32_t hitByPitch = 0;
    std::int32_t sacrificeFlies = 0;

    std::int32_t totalBases() const {
        return wrappingSum(hits, doubles, wrappingMultiply(2, triples), wrappingMultiply(3, homeRuns));
    }
    std::int32_t onBaseDenominator() const { return wrappingSum(atBats, walks, hitByPitch, sacrificeFlies); }
    std::int32_t timesOnBase() const { return wrappingSum(hits, walks, hitByPitch); }
};

struct HittingRates {
    float avg = 0;
    float obp = 0;
    float slg = 0;
};

// In the order of their columns.
enum class HittingRate : std::uint8_t { Avg, Obp, Slg, Count };

inline float hittingRate(const HittingRates& rates, HittingRate which) {
    switch (which) {
    case HittingRate::Obp: return rates.obp;
    case HittingRate::Slg: return rates.slg;
    default: return rates.avg;
    }
}

inline float guardedRatio(double numerator, double denominator, bool guard) {
    if (!guard || !(denominator > 0)) return 0.0f;
    return static_cast<float>(numerator / denominator);
}

// Where a line of hitting counters lies in a record.
struct HittingFields {
    StatField atBats, hits, doubles, triples, homeRuns, walks, hitByPitch, sacrificeFlies;
};
inline constexpr HittingFields kBattingLine = {
    StatField::AtBats,   StatField::Hits,  StatField::Doubles,    StatField::Triples,
    StatField::HomeRuns, StatField::Walks, StatField::HitByPitch, StatField::SacrificeFlies};
inline constexpr HittingFields kOpponentsLine = {
    StatField::OpponentAtBats, StatField::HitsAllowed,          StatField::DoublesAllowed,
    StatField::TriplesAllowed, StatField::HomeRunsAllowed,      StatField::WalksAllowed,
    StatField::HitBatsmen,     StatField::SacrificeFliesAllowed};

HittingCounts hittingCounts(const SeasonStatRecord& record, const HittingFields& fields);
HittingCounts hittingCounts(const SplitBlock& block);
// AVG guarded by hits, OBP by its denominator, SLG by total bases: batting rows,
// batting split sides, and the opponents' line of pitching rows.
HittingRates recordHittingRates(const HittingCounts& counts);
// Grouped "Pitchers" rows: AVG and SLG guarded by hits; OBP by any of AB, W,
// HBP and, on the batting line only, SF.
HittingRates groupedHittingRates(const HittingCounts& counts, bool sacrificeFliesCount);

float earnedRunAverage(std::int32_t earnedRuns, std::int32_t outs);
float winningPercentage(std::int32_t wins, std::int32_t losses);
// Thirds notation: 10 outs are 3.1 innings.
float inningsPitched(std::int32_t outs);
float fieldingAverage(std::int32_t putouts, std::int32_t assists, std::int32_t errors);

} // namespace boxloom
