#include "record_exporter.h"

#include "batting_rows.h"
#include "csv_lines.h"
#include "fielding_rows.h"
#include "pitcher_totals.h"
#include "pitching_rows.h"
#include "season_stats.h"

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

namespace {

// Numbers past the last row written have no name.
const std::string& nameOf(const std::vector<std::string>& names, int number) {
    static const std::string none;
    const auto index = static_cast<std::size_t>(number);
    return index < names.size() ? names[index] : none;
}

} // namespace

RecordExporter::RecordExporter(const ExportOptions& options, const TeamTable& teams,
                               const PlayerTable& players, bool csvLines)
    : options_(options), teams_(teams), players_(players), csvLines_(csvLines) {
    const bool utf8 = options.encoding != TextEncoding::Windows1252;
    // Other sinks take the names as the league files hold them.
    const auto name = [&](const std::string& text) { return csvLines ? encodeFieldText(text, utf8) : text; };
    playerNames_.reserve(static_cast<std::size_t>(players.size()));
    for (int number = 0; number < players.size(); ++number)
        playerNames_.push_back(name(players[number].displayName));
    teamNames_.reserve(static_cast<std::size_t>(teams.size()));
    for (int number = 0; number < teams.size(); ++number)
        teamNames_.push_back(name(teams[number].displayName));
}

RecordCounts RecordExporter::exportRecords(const std::uint8_t* records, std::size_t count,
                                           const RowTargets& rows, PitcherTotals& grouped) const {
    RecordCounts counts;
    for (std::size_t i = 0; i < count; ++i) {
        const SeasonStatRecord& record = recordAt(records, i);
        if (!isAccepted(record)) continue;
        if (!isWithinTables(record)) {
            ++counts.skipped;
            continue;
        }
        ++counts.accepted;
        const PlayerRow& player = players_[record.playerNumber()];
        const TeamRow& team = teams_[record.teamNumber()];
        // Year texts and stat type names are digits and letters: the same in every encoding.
        const RowIdentity identity{nameOf(playerNames_, record.playerNumber()),
                                   nameOf(teamNames_, record.teamNumber()),
                                   team.yearText,
                                   statTypeName(record.statTypeCode()),
                                   record.playerNumber(),
                                   record.teamNumber(),
                                   csvLines_,
                                   team.year};
        const PitcherHittingMode mode = options_.pitcherHitting;
        if (mode == PitcherHittingMode::Include || player.kind == kPositionPlayer) {
            writeBattingRow(rows, record, identity);
            if (options_.includeHittingSplits) writeBattingSplitRow(rows, record, identity);
        } else if (mode == PitcherHittingMode::GroupByTeam && player.kind == kPitcher) {
            grouped.addPitcherRecord(record);
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
