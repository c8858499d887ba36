#include "report_lines.h"

namespace boxloom {

std::vector<ReportLine> warningLines(const std::vector<ExportProblem>& warnings,
                                     std::uint64_t recordsSkipped) {
    std::vector<ReportLine> lines;
    for (const ExportProblem& leftover : warnings)
        lines.push_back({true, "warning: " + leftover.file + ": " + leftover.reason});
    if (recordsSkipped > 0)
        lines.push_back({true, "warning: " + std::to_string(recordsSkipped) +
                                   (recordsSkipped == 1 ? " record was" : " records were") +
                                   " skipped: player, team or stat type number outside the league tables"});
    return lines;
}

} // namespace boxloom
