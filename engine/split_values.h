#pragma once

#include "export_columns.h"
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
        const SplitIndex at = SplitIndex::decode(index);
        return sides_[static_cast<std::size_t>(at.side)].get(at.field());
    }
    float rate(std::uint8_t index) const {
        const SplitIndex at = SplitIndex::decode(index);
        return hittingRate(rates_[static_cast<std::size_t>(at.side)], at.rate());
    }

private:
    std::array<SplitBlock, 2> sides_;
    std::array<HittingRates, 2> rates_;
};

} // namespace boxloom
