#include "site_report.h"

namespace boxloom::site {

std::vector<ReportLine> siteReport(const SiteOutcome& outcome) {
    std::vector<ReportLine> lines;
    for (const std::string& warning : outcome.warnings)
        lines.push_back({true, "warning: " + warning});
    for (const std::string& problem : outcome.problems)
        lines.push_back({true, problem});
    if (!outcome.succeeded()) return lines;
    const WriteSummary& files = outcome.files;
    std::string summary = std::to_string(files.written) + (files.written == 1 ? " page" : " pages") +
                          " written, " + std::to_string(files.unchanged) + " unchanged";
    if (files.removed > 0) summary += ", " + std::to_string(files.removed) + " removed";
    lines.push_back({false, summary});
    return lines;
}

} // namespace boxloom::site
