#include "pitcher_totals.h"

#include "rates.h"
#include "row_emitter.h"

#include <utility>

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

PitcherTotals::PitcherTotals()
    : cells_((TeamTable::kMax + 1) * kStatTypes, PitcherCounters{}), added_(cells_.size(), 0) {}

namespace {

// Unrolled over the fields, so that each counter's place in the record is a constant.
template <std::size_t... I>
void addBatting(PitcherCounters& totals, const SeasonStatRecord& record, std::index_sequence<I...>) {
    ((totals[I] = wrappingAdd(totals[I], record.get(kGroupedBattingFields[I]))), ...);
}

template <std::size_t... F>
void addSplits(PitcherCounters& totals, const SeasonStatRecord& record, std::index_sequence<F...>) {
    const SplitSide sides[] = {SplitSide::BattingVsLeft, SplitSide::BattingVsRight};
    for (int side = 0; side < 2; ++side) {
        const SplitBlock block = record.split(sides[side]);
        ((totals[splitSlot(side, static_cast<SplitField>(F))] = wrappingAdd(
              totals[splitSlot(side, static_cast<SplitField>(F))], block.get(static_cast<SplitField>(F)))),
         ...);
    }
}

} // namespace

void PitcherTotals::addPitcherRecord(const SeasonStatRecord& record) {
    const int team = record.teamNumber();
    const int statType = record.statTypeCode();
    if (!TeamTable::contains(team) || statType < 0 || statType > kMaxGroupedStatType) return;
    const std::size_t cell = cellIndex(team, statType);
    if (added_[cell] == 0) {
        added_[cell] = 1;
        addedTo_.push_back(static_cast<std::uint32_t>(cell));
    }
    PitcherCounters& totals = cells_[cell];
    addBatting(totals, record, std::make_index_sequence<kGroupedBattingFields.size()>{});
    addSplits(totals, record, std::make_index_sequence<kSplitFieldCount>{});
}

void PitcherTotals::moveInto(PitcherTotals& whole) {
    for (std::uint32_t cell : addedTo_) {
        PitcherCounters& from = cells_[cell];
        PitcherCounters& to = whole.cells_[cell];
        for (std::size_t i = 0; i < from.size(); ++i)
            to[i] = wrappingAdd(to[i], from[i]);
        from = {};
        added_[cell] = 0;
        if (whole.added_[cell] == 0) {
            whole.added_[cell] = 1;
            whole.addedTo_.push_back(cell);
        }
    }
    addedTo_.clear();
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
