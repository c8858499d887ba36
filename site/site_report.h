#pragma once

#include "report_lines.h"
#include "site_run.h"

#include <vector>

namespace boxloom::site {

// What a site run says: its warnings for the commissioner, its problems, and
// when it succeeded how many pages it wrote, left and removed.
std::vector<ReportLine> siteReport(const SiteOutcome& outcome);

} // namespace boxloom::site
