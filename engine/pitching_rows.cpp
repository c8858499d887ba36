#include "pitching_rows.h"

#include "rates.h"
#include "split_values.h"

#include <array>

namespace boxloom {

namespace {

class PitchingValues {
public:
    explicit PitchingValues(const SeasonStatRecord& record) : record_(record) {
        const HittingRates opponents = recordHittingRates(hittingCounts(record, kOpponentsLine));
        rates_ = {earnedRunAverage(record.earnedRuns(), record.outsPitched()),
                  winningPercentage(record.wins(), record.losses()), opponents.avg, opponents.obp,
                  opponents.slg};
    }
    int counter(std::uint8_t index) const { return record_.get(static_cast<StatField>(index)); }
    float rate(std::uint8_t index) const { return rates_[index]; }
    std::int32_t innings() const { return record_.outsPitched(); }

private:
    const SeasonStatRecord& record_;
    std::array<float, static_cast<std::size_t>(PitchingRate::Count)> rates_{};
};

} // namespace

void writePitchingRow(const RowTargets& rows, const SeasonStatRecord& record, const RowIdentity& identity) {
    emitRow<ExportFileKind::PitchingStats>(rows, identity, PitchingValues(record));
}

void writePitchingSplitRow(const RowTargets& rows, const SeasonStatRecord& record,
                           const RowIdentity& identity) {
    emitRow<ExportFileKind::PitchingSplits>(
        rows, identity, RecordSplitValues(record, SplitSide::PitchingVsLeft, SplitSide::PitchingVsRight));
}

} // namespace boxloom
