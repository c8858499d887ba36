#pragma once

#include "league_files.h"
#include "row_targets.h"
#include "season_stats.h"

#include <array>
#include <cstdint>
#include <vector>

namespace boxloom {

// The batting counters that grouped rows sum, in their column order.
inline constexpr std::array<StatField, 18> kGroupedBattingFields = {StatField::AtBats,
                                                                    StatField::Runs,
                                                                    StatField::RunsBattedIn,
                                                                    StatField::Hits,
                                                                    StatField::Doubles,
                                                                    StatField::Triples,
                                                                    StatField::HomeRuns,
                                                                    StatField::HitByPitch,
                                                                    StatField::Strikeouts,
                                                                    StatField::Walks,
                                                                    StatField::IntentionalWalks,
                                                                    StatField::StolenBases,
                                                                    StatField::CaughtStealing,
                                                                    StatField::GameWinningRbi,
                                                                    StatField::SacrificeHits,
                                                                    StatField::SacrificeFlies,
                                                                    StatField::GroundedDoublePlays,
                                                                    StatField::CatchersInterference};

inline constexpr std::size_t kPitcherTotalCount = kGroupedBattingFields.size() + 2 * kSplitFieldCount;
inline constexpr int kMaxGroupedStatType = code(StatType::Ws);

// 44 counters per team 0..100 and stat type 0..5, summed in 32 bits.
using PitcherCounters = std::array<std::int32_t, kPitcherTotalCount>;

class PitcherTotals {
public:
    PitcherTotals();

    // Adds the record's batting and batting split counters to its (team, stat type);
    // a stat type beyond 5 or a team outside the table adds to nothing.
    void addPitcherRecord(const SeasonStatRecord& record);
    const PitcherCounters& at(int team, int statType) const;
    // Adds every total to `whole` and starts again from zero: a chunk's totals,
    // summed where its records were formatted, go into the run's in one step.
    void moveInto(PitcherTotals& whole);

    // Stat type 1..5 outer, team 0..100 inner; only totals with at-bats.
    void writePitcherRows(const RowTargets& rows, const TeamTable& teams, bool includeHittingSplits) const;

private:
    std::vector<PitcherCounters> cells_;
    std::vector<std::uint8_t> added_;    // per cell: a record was added since the start
    std::vector<std::uint32_t> addedTo_; // those cells, in the order they were first added to
};

} // namespace boxloom
