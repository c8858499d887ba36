#pragma once

// A season's league files read once: the team and player tables loaded, and
// the statistics file open for its records. An export run and the league
// database's import both start from it.

#include "byte_source.h"
#include "export_io.h"
#include "export_options.h"
#include "export_outcome.h"
#include "league_files.h"

#include <memory>
#include <string>
#include <vector>

namespace boxloom {

struct SeasonInput {
    std::unique_ptr<TeamTable> teams = std::make_unique<TeamTable>();
    std::unique_ptr<PlayerTable> players = std::make_unique<PlayerTable>();
    std::unique_ptr<ByteSource> statistics;
    std::string statisticsPath;
    std::vector<ExportProblem> problems;
    std::vector<ExportProblem> warnings;

    bool succeeded() const { return problems.empty(); }
};

// The teams are named by the options' notation; every name part is kept.
SeasonInput readSeasonInput(const ExportOptions& options, LeagueFileOpener& leagueFiles);

ExportProblem partialRecordWarning(std::string path);

} // namespace boxloom
