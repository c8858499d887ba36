#include "demo_stat_line.h"

namespace boxloom::demo {

SeasonStatRecord toRecord(const StatLine& line, int playerNumber, int teamNumber) {
    SeasonStatRecord record;
    for (std::size_t i = 0; i < kStatFieldCount; ++i)
        record.set(static_cast<StatField>(i), line.fields[i]);
    record.set(StatField::RecordMarker, 0);
    record.set(StatField::PlayerNumber, playerNumber);
    record.set(StatField::TeamNumber, teamNumber);
    record.set(StatField::StatTypeCode, line.statType);
    for (std::size_t side = 0; side < line.splits.size(); ++side)
        for (std::size_t field = 0; field < kSplitFieldCount; ++field)
            record.set(static_cast<SplitSide>(side), static_cast<SplitField>(field),
                       line.splits[side][field]);
    for (std::size_t array = 0; array < line.positions.size(); ++array)
        for (int position = 0; position < kPositionCount; ++position)
            record.set(static_cast<PositionArray>(array), position,
                       line.positions[array][static_cast<std::size_t>(position)]);
    return record;
}

} // namespace boxloom::demo
