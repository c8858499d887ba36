#include "record_exporter.h"

#include "batting_rows.h"
#include "fielding_rows.h"
#include "pitching_rows.h"
#include "season_stats.h"

#include <cstring>

namespace boxloom {

namespace {

bool isAccepted(const SeasonStatRecord& record) {
    return record.recordMarker() == 0 && (record.battingGames() > 0 || record.gamesPitched() > 0);
}

bool isWithinTables(const SeasonStatRecord& record) {
    const int statType = record.statTypeCode();
    return PlayerTable::contains(record.playerNumber()) && TeamTable::contains(record.teamNumber()) &&
           statType >= 0 && statType <= kMaxStatTypeCode;
}

} // namespace

RecordCounts RecordExporter::exportRecords(const std::uint8_t* records, std::size_t count,
                                           const RowTargets& rows,
                                           std::vector<std::uint32_t>& grouped) const {
    RecordCounts counts;
    SeasonStatRecord record;
    for (std::size_t i = 0; i < count; ++i) {
        std::memcpy(record.mutableBytes().data(), records + i * kSeasonRecordSize, kSeasonRecordSize);
        if (!isAccepted(record)) continue;
        if (!isWithinTables(record)) {
            ++counts.skipped;
            continue;
        }
        ++counts.accepted;
        const PlayerRow& player = players_[record.playerNumber()];
        const TeamRow& team = teams_[record.teamNumber()];
        const RowIdentity identity{player.displayName,    team.displayName,
                                   team.yearText,         statTypeName(record.statTypeCode()),
                                   record.playerNumber(), record.teamNumber()};
        const PitcherHittingMode mode = options_.pitcherHitting;
        if (mode == PitcherHittingMode::Include || player.kind == kPositionPlayer) {
            writeBattingRow(rows, record, identity);
            if (options_.includeHittingSplits) writeBattingSplitRow(rows, record, identity);
        } else if (mode == PitcherHittingMode::GroupByTeam && player.kind == kPitcher) {
            grouped.push_back(static_cast<std::uint32_t>(i));
        }
        if (record.gamesPitched() > 0) {
            writePitchingRow(rows, record, identity);
            if (options_.includePitchingSplits) writePitchingSplitRow(rows, record, identity);
        }
        if (options_.includeFielding) {
            for (int position = 0; position < kPositionCount; ++position)
                if (record.gamesAtPosition(position) > 0) writeFieldingRow(rows, record, position, identity);
        }
    }
    return counts;
}

} // namespace boxloom
