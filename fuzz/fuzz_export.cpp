// The whole export run in memory: any three league files, every optional file,
// the pitcher-hitting mode and team notation chosen by the input.

#include "export_run.h"
#include "fuzz_input.h"
#include "league_files.h"
#include "memory_io.h"
#include "paths.h"
#include "season_stats.h"

#include <algorithm>

#include <cstdlib>

using namespace boxloom;

// Enough records for every row kind and a grouped total; more only slow the search.
constexpr std::size_t kMaxRecords = 48;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FuzzSeason season = fuzzing::splitInput({data, size});
    season.options.seasonFolder = "season";
    season.options.outputFolder = "out";
    // One formatting thread: starting threads for every input cost nine tenths of the time.
    season.options.threads = 1;
    season.stats = season.stats.first(std::min(season.stats.size(), kMaxRecords * kSeasonRecordSize));
    testing::MemoryLeagueFiles league;
    league.files[joinPath("season", kTeamFileName)].assign(season.teams.begin(), season.teams.end());
    league.files[joinPath("season", kPlayerFileName)].assign(season.players.begin(), season.players.end());
    league.files[joinPath("season", kStatsFileName)].assign(season.stats.begin(), season.stats.end());
    testing::MemoryOutputs outputs;
    const ExportOutcome outcome = runExport(season.options, {}, ExportIo{league, outputs});

    // Nothing fails in memory, and every file is whole lines.
    if (!outcome.succeeded() || outputs.folder.size() != kExportFileKindCount) std::abort();
    for (const auto& [path, bytes] : outputs.folder)
        if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) std::abort();
    if (outcome.recordsAccepted + outcome.recordsSkipped > outcome.recordsRead + 1) std::abort();
    return 0;
}
