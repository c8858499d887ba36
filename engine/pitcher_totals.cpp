#include "pitcher_totals.h"

#include "rates.h"
#include "row_emitter.h"

namespace boxloom {

namespace {

constexpr std::size_t kStatTypes = kMaxGroupedStatType + 1;
constexpr std::size_t kSplitBase = kGroupedBattingFields.size();
constexpr std::string_view kGroupedPlayer = "Pitchers";

std::size_t cellIndex(int team, int statType) {
    return static_cast<std::size_t>(team) * kStatTypes + static_cast<std::size_t>(statType);
}

constexpr std::array<std::uint8_t, static_cast<std::size_t>(StatField::Count)> slotsByField() {
    std::array<std::uint8_t, static_cast<std::size_t>(StatField::Count)> slots{};
    for (std::size_t i = 0; i < kGroupedBattingFields.size(); ++i)
        slots[static_cast<std::size_t>(kGroupedBattingFields[i])] = static_cast<std::uint8_t>(i);
    return slots;
}
constexpr auto kSlotOfField = slotsByField();

std::int32_t slot(const PitcherCounters& totals, StatField field) {
    return totals[kSlotOfField[static_cast<std::size_t>(field)]];
}

HittingCounts battingCounts(const PitcherCounters& t) {
    return {slot(t, StatField::AtBats),     slot(t, StatField::Hits),          slot(t, StatField::Doubles),
            slot(t, StatField::Triples),    slot(t, StatField::HomeRuns),      slot(t, StatField::Walks),
            slot(t, StatField::HitByPitch), slot(t, StatField::SacrificeFlies)};
}

std::size_t splitSlot(int side, SplitField field) {
    return kSplitBase + static_cast<std::size_t>(side) * kSplitFieldCount + static_cast<std::size_t>(field);
}

HittingCounts splitCounts(const PitcherCounters& t, int side) {
    auto at = [&](SplitField field) { return t[splitSlot(side, field)]; };
    return {at(SplitField::AtBats),     at(SplitField::Hits),          at(SplitField::Doubles),
            at(SplitField::Triples),    at(SplitField::HomeRuns),      at(SplitField::Walks),
            at(SplitField::HitByPitch), at(SplitField::SacrificeFlies)};
}

class GroupedBattingValues {
public:
    explicit GroupedBattingValues(const PitcherCounters& totals)
        : totals_(totals), rates_(groupedHittingRates(battingCounts(totals), true)) {}
    Field games() const { return Field::grouped(); }
    int counter(std::uint8_t index) const { return slot(totals_, static_cast<StatField>(index)); }
    float rate(std::uint8_t index) const { return hittingRate(rates_, static_cast<HittingRate>(index)); }

private:
    const PitcherCounters& totals_;
    HittingRates rates_;
};

class GroupedSplitValues {
public:
    explicit GroupedSplitValues(const PitcherCounters& totals)
        : totals_(totals), rates_{groupedHittingRates(splitCounts(totals, 0), false),
                                  groupedHittingRates(splitCounts(totals, 1), false)} {}
    int counter(std::uint8_t index) const {
        const SplitIndex at = SplitIndex::decode(index);
        return totals_[splitSlot(at.side, at.field())];
    }
    float rate(std::uint8_t index) const {
        const SplitIndex at = SplitIndex::decode(index);
        return hittingRate(rates_[static_cast<std::size_t>(at.side)], at.rate());
    }

private:
    const PitcherCounters& totals_;
    std::array<HittingRates, 2> rates_;
};

} // namespace

PitcherTotals::PitcherTotals() : cells_((TeamTable::kMax + 1) * kStatTypes, PitcherCounters{}) {}

void PitcherTotals::addPitcherRecord(const SeasonStatRecord& record) {
    const int team = record.teamNumber();
    const int statType = record.statTypeCode();
    if (!TeamTable::contains(team) || statType < 0 || statType > kMaxGroupedStatType) return;
    PitcherCounters& totals = cells_[cellIndex(team, statType)];
    for (std::size_t i = 0; i < kGroupedBattingFields.size(); ++i)
        totals[i] = wrappingAdd(totals[i], record.get(kGroupedBattingFields[i]));
    const SplitSide sides[] = {SplitSide::BattingVsLeft, SplitSide::BattingVsRight};
    for (int side = 0; side < 2; ++side) {
        const SplitBlock block = record.split(sides[side]);
        for (std::size_t field = 0; field < kSplitFieldCount; ++field) {
            const auto which = static_cast<SplitField>(field);
            std::int32_t& total = totals[splitSlot(side, which)];
            total = wrappingAdd(total, block.get(which));
        }
    }
}

const PitcherCounters& PitcherTotals::at(int team, int statType) const {
    return cells_[cellIndex(team, statType)];
}

void PitcherTotals::writePitcherRows(const RowTargets& rows, const TeamTable& teams,
                                     bool includeHittingSplits) const {
    // PreSeason (0) is never grouped.
    for (int statType = code(StatType::Regular); statType <= kMaxGroupedStatType; ++statType) {
        for (int team = 0; team <= TeamTable::kMax; ++team) {
            const PitcherCounters& totals = at(team, statType);
            if (slot(totals, StatField::AtBats) <= 0) continue;
            const RowIdentity identity{kGroupedPlayer,
                                       teams[team].displayName,
                                       teams[team].yearText,
                                       statTypeName(statType),
                                       -1,
                                       team,
                                       false,
                                       teams[team].year};
            emitRow<ExportFileKind::BattingStats>(rows, identity, GroupedBattingValues(totals));
            if (includeHittingSplits)
                emitRow<ExportFileKind::BattingSplits>(rows, identity, GroupedSplitValues(totals));
        }
    }
}

} // namespace boxloom
