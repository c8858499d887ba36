#pragma once

#include "rates.h"
#include "season_stats.h"

#include <array>
#include <cstdint>

namespace boxloom {

// Counters and rates of a split row from the record's two blocks (L, then R).
class RecordSplitValues {
public:
    RecordSplitValues(const SeasonStatRecord& record, SplitSide left, SplitSide right)
        : sides_{record.split(left), record.split(right)},
          rates_{recordHittingRates(hittingCounts(sides_[0])), recordHittingRates(hittingCounts(sides_[1]))} {
    }

    int counter(std::uint8_t index) const {
        return sides_[index / kSplitFieldCount].get(static_cast<SplitField>(index % kSplitFieldCount));
    }
    float rate(std::uint8_t index) const;

private:
    std::array<SplitBlock, 2> sides_;
    std::array<HittingRates, 2> rates_;
};

inline float RecordSplitValues::rate(std::uint8_t index) const {
    return hittingRate(rates_[index / 3], static_cast<std::uint8_t>(index % 3));
}

} // namespace boxloom
