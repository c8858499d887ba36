#include "import_report.h"

namespace boxloom::database {

std::vector<ReportLine> importReport(const std::string& databasePath,
                                     const std::vector<SeasonSource>& seasons, const ImportOutcome& outcome) {
    std::vector<ReportLine> lines;
    if (!outcome.succeeded()) {
        for (const ExportProblem& problem : outcome.problems)
            lines.push_back({true, problem.file + ": " + problem.reason});
        lines.push_back({true, "import FAILED; " + databasePath + " was left as it was"});
        return lines;
    }
    for (std::size_t i = 0; i < seasons.size() && i < outcome.rowsPerSeason.size(); ++i)
        lines.push_back({false, databasePath + ": season " + seasons[i].label + ": " +
                                    std::to_string(outcome.rowsPerSeason[i]) + " rows"});
    for (ReportLine& line : warningLines(outcome.warnings, outcome.recordsSkipped))
        lines.push_back(std::move(line));
    return lines;
}

} // namespace boxloom::database
