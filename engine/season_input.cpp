#include "season_input.h"

#include "paths.h"

#include <array>

namespace boxloom {

ExportProblem partialRecordWarning(std::string path) {
    return {std::move(path),
            "its size is not a whole number of records: the last record was partial and read "
            "as if filled with zero bytes"};
}

namespace {

// In the order of kLeagueFileNames.
enum LeagueFile : std::size_t { kTeamFile, kPlayerFile, kStatisticsFile };

void noteLoad(const LoadResult& loaded, const std::string& path, SeasonInput& input) {
    if (!loaded.error.empty()) input.problems.push_back({path, loaded.error});
    if (loaded.lastRecordPartial) input.warnings.push_back(partialRecordWarning(path));
}

} // namespace

SeasonInput readSeasonInput(const ExportOptions& options, LeagueFileOpener& leagueFiles) {
    SeasonInput input;
    if (options.seasonFolder.empty()) {
        input.problems.push_back({"season folder", "no season folder given"});
        return input;
    }
    std::array<std::string, kLeagueFileNames.size()> paths;
    std::array<std::unique_ptr<ByteSource>, kLeagueFileNames.size()> files;
    for (std::size_t i = 0; i < files.size(); ++i) {
        paths[i] = joinPath(options.seasonFolder, kLeagueFileNames[i]);
        std::string reason;
        files[i] = leagueFiles.open(paths[i], reason);
        if (!files[i]) input.problems.push_back({paths[i], reason.empty() ? "cannot be read" : reason});
    }
    if (!input.succeeded()) return input;
    const LoadResult teams = loadTeamFile(*files[kTeamFile], options.teamNotation, *input.teams);
    files[kTeamFile].reset();
    const LoadResult players = loadPlayerFile(*files[kPlayerFile], *input.players);
    files[kPlayerFile].reset();
    noteLoad(teams, paths[kTeamFile], input);
    noteLoad(players, paths[kPlayerFile], input);
    input.statistics = std::move(files[kStatisticsFile]);
    input.statisticsPath = std::move(paths[kStatisticsFile]);
    return input;
}

} // namespace boxloom
