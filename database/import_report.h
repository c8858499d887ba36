#pragma once

#include "report_lines.h"
#include "season_import.h"

#include <string>
#include <vector>

namespace boxloom::database {

// What an import says: each season's rows, or its problems and that the
// database was left as it was; then its warnings.
std::vector<ReportLine> importReport(const std::string& databasePath,
                                     const std::vector<SeasonSource>& seasons, const ImportOutcome& outcome);

// Each removed season and what it held, or the problems and that the database
// was left as it was.
std::vector<ReportLine> removalReport(const std::string& databasePath, const RemovalOutcome& outcome);

} // namespace boxloom::database
