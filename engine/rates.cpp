#include "rates.h"

namespace boxloom {

HittingCounts hittingCounts(const SplitBlock& block) {
    HittingCounts counts;
    counts.atBats = block.get(SplitField::AtBats);
    counts.hits = block.get(SplitField::Hits);
    counts.doubles = block.get(SplitField::Doubles);
    counts.triples = block.get(SplitField::Triples);
    counts.homeRuns = block.get(SplitField::HomeRuns);
    counts.walks = block.get(SplitField::Walks);
    counts.hitByPitch = block.get(SplitField::HitByPitch);
    counts.sacrificeFlies = block.get(SplitField::SacrificeFlies);
    return counts;
}

HittingCounts hittingCounts(const SeasonStatRecord& record, const HittingFields& fields) {
    HittingCounts counts;
    counts.atBats = record.get(fields.atBats);
    counts.hits = record.get(fields.hits);
    counts.doubles = record.get(fields.doubles);
    counts.triples = record.get(fields.triples);
    counts.homeRuns = record.get(fields.homeRuns);
    counts.walks = record.get(fields.walks);
    counts.hitByPitch = record.get(fields.hitByPitch);
    counts.sacrificeFlies = record.get(fields.sacrificeFlies);
    return counts;
}

HittingRates recordHittingRates(const HittingCounts& c) {
    return {guardedRatio(c.hits, c.atBats, c.hits > 0),
            guardedRatio(c.timesOnBase(), c.onBaseDenominator(), true),
            guardedRatio(c.totalBases(), c.atBats, c.totalBases() > 0)};
}

HittingRates groupedHittingRates(const HittingCounts& c, bool sacrificeFliesCount) {
    const bool anyPlateAppearance =
        c.atBats > 0 || c.walks > 0 || c.hitByPitch > 0 || (sacrificeFliesCount && c.sacrificeFlies > 0);
    return {guardedRatio(c.hits, c.atBats, c.hits > 0),
            guardedRatio(c.timesOnBase(), c.onBaseDenominator(), anyPlateAppearance),
            guardedRatio(c.totalBases(), c.atBats, c.hits > 0)};
}

float earnedRunAverage(std::int32_t earnedRuns, std::int32_t outs) {
    return guardedRatio(static_cast<double>(earnedRuns) * 27, outs, true);
}

float winningPercentage(std::int32_t wins, std::int32_t losses) {
    return guardedRatio(wins, wrappingAdd(wins, losses), wins > 0);
}

float inningsPitched(std::int32_t outs) {
    const std::int32_t remainder = outs % 3;
    const std::int32_t whole = (outs - remainder) / 3;
    return static_cast<float>(whole + remainder / 10.0);
}

float fieldingAverage(std::int32_t putouts, std::int32_t assists, std::int32_t errors) {
    const std::int32_t made = wrappingAdd(putouts, assists);
    return guardedRatio(made, wrappingAdd(made, errors), putouts > 0 || assists > 0);
}

} // namespace boxloom
