#pragma once

// The league window's jobs, run without a window: each says what it did in
// the command line's own words, and each can be cancelled where it allows.

#include "league_job.h"
#include "league_requests.h"
#include "report_lines.h"
#include "season_import.h"
#include "site_run.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace boxloom::frontend::league {

struct TaskResult {
    Ending ending = Ending::Succeeded;
    std::vector<ReportLine> lines;
    // Asked when an import refused seasons: "Yes" imports the same request with replace.
    std::string replaceQuestion;
};

using ProgressReport = std::function<void(std::size_t done, std::size_t total)>;
using Importer = std::function<database::ImportOutcome(
    const std::string&, const std::vector<database::SeasonSource>&, const database::ImportControl&)>;
using SiteMaker = std::function<site::SiteOutcome(const site::SiteOptions&)>;

// The seasons go in with the command line's default options.
TaskResult importTask(const ImportRequest& request, const std::atomic<bool>& cancel,
                      const ProgressReport& progress, const Importer& importer = {});
TaskResult removeTask(const std::string& database, const std::string& label);
// Makes a missing site folder first, as the command line does.
TaskResult siteTask(site::SiteOptions options, const std::atomic<bool>& cancel,
                    const ProgressReport& progress, const SiteMaker& maker = {});

} // namespace boxloom::frontend::league
