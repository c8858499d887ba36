#pragma once

// What a run says when it ends, as lines: the command line prints them (the
// problems to its error stream, after its own name), the league window logs them.

#include "export_outcome.h"

#include <cstdint>
#include <string>
#include <vector>

namespace boxloom {

struct ReportLine {
    bool problem = false; // a problem or a warning, not a result
    std::string text;
    bool operator==(const ReportLine&) const = default;
};

// "warning: FILE: REASON" for each leftover, then the records skipped, if any.
std::vector<ReportLine> warningLines(const std::vector<ExportProblem>& warnings,
                                     std::uint64_t recordsSkipped);

} // namespace boxloom
