#include "fielding_rows.h"

#include "rates.h"

#include <array>

namespace boxloom {

namespace {

constexpr std::array<std::string_view, kPositionCount> kPositionNames = {"P",  "C",  "1B", "2B", "3B",
                                                                         "SS", "LF", "CF", "RF"};

class FieldingValues {
public:
    FieldingValues(const SeasonStatRecord& record, int position)
        : record_(record), position_(position),
          average_(
              fieldingAverage(record.putouts(position), record.assists(position), record.errors(position))) {}
    int counter(std::uint8_t index) const {
        return record_.atPosition(static_cast<PositionArray>(index), position_);
    }
    float rate(std::uint8_t) const { return average_; }
    std::string_view text() const { return positionName(position_); }

private:
    const SeasonStatRecord& record_;
    int position_;
    float average_;
};

} // namespace

std::string_view positionName(int position) {
    if (position < 0 || position >= kPositionCount) return {};
    return kPositionNames[static_cast<std::size_t>(position)];
}

void writeFieldingRow(const RowTargets& rows, const SeasonStatRecord& record, int position,
                      const RowIdentity& identity) {
    emitRow<ExportFileKind::FieldingStats>(rows, identity, FieldingValues(record, position));
}

} // namespace boxloom
