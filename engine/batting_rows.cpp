#include "batting_rows.h"

#include "rates.h"
#include "split_values.h"

namespace boxloom {

namespace {

class BattingValues {
public:
    explicit BattingValues(const SeasonStatRecord& record)
        : record_(record), rates_(recordHittingRates(hittingCounts(record, kBattingLine))) {}
    int counter(std::uint8_t index) const { return record_.get(static_cast<StatField>(index)); }
    float rate(std::uint8_t index) const { return hittingRate(rates_, static_cast<HittingRate>(index)); }

private:
    const SeasonStatRecord& record_;
    HittingRates rates_;
};

} // namespace

void writeBattingRow(const RowTargets& rows, const SeasonStatRecord& record, const RowIdentity& identity) {
    emitRow<ExportFileKind::BattingStats>(rows, identity, BattingValues(record));
}

void writeBattingSplitRow(const RowTargets& rows, const SeasonStatRecord& record,
                          const RowIdentity& identity) {
    emitRow<ExportFileKind::BattingSplits>(
        rows, identity, RecordSplitValues(record, SplitSide::BattingVsLeft, SplitSide::BattingVsRight));
}

} // namespace boxloom
