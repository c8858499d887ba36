#pragma once

// Turns season statistics records into rows: which records are accepted, which
// rows each writes, and which pitchers' batting is grouped. Reads only the
// tables it is given, so several threads can share one exporter.

#include "export_io.h"
#include "export_options.h"
#include "league_files.h"
#include "row_targets.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace boxloom {

class RecordExporter {
public:
    // With `csvLines`, the names are made once for the files' lines; without,
    // they go to the sinks as the league files hold them.
    RecordExporter(const ExportOptions& options, const TeamTable& teams, const PlayerTable& players,
                   bool csvLines = true);

    // Writes the rows of `count` records of kSeasonRecordSize bytes, and adds the
    // batting of pitchers whose rows are grouped to `grouped`.
    RecordCounts exportRecords(const std::uint8_t* records, std::size_t count, const RowTargets& rows,
                               PitcherTotals& grouped) const;

private:
    const ExportOptions& options_;
    const TeamTable& teams_;
    const PlayerTable& players_;
    // Names escaped and encoded once for the run, not once a row.
    std::vector<std::string> playerNames_;
    std::vector<std::string> teamNames_;
    bool csvLines_;
};

} // namespace boxloom
