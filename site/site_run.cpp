#include "site_run.h"

#include "league_reader.h"

#include <algorithm>

namespace boxloom::site {

SiteOutcome makeSite(const SiteOptions& options) {
    SiteOutcome outcome;
    SiteTemplates templates;
    if (!options.templatesFolder.empty()) {
        if (std::string reason = templates.useFolder(options.templatesFolder); !reason.empty()) {
            outcome.problems.push_back("template " + reason);
            return outcome;
        }
    }
    LeagueReader reader;
    if (std::string reason = reader.open(options.database); !reason.empty()) {
        outcome.problems.push_back(options.database + ": " + reason);
        return outcome;
    }
    const std::vector<std::string> present = reader.seasons();
    std::vector<std::string> chosen = options.seasons.empty() ? present : options.seasons;
    for (const std::string& label : chosen)
        if (std::find(present.begin(), present.end(), label) == present.end())
            outcome.problems.push_back(options.database + ": no season \"" + label + "\"");
    if (!outcome.succeeded()) return outcome;
    std::vector<SeasonData> seasons;
    // In the database's order, whatever the order of the options.
    for (const std::string& label : present) {
        if (std::find(chosen.begin(), chosen.end(), label) == chosen.end()) continue;
        seasons.emplace_back();
        if (std::string reason = reader.load(label, seasons.back()); !reason.empty()) {
            outcome.problems.push_back(options.database + ": " + reason);
            return outcome;
        }
    }
    SiteSettings settings{options.title, options.games, options.version};
    std::vector<SiteFile> files;
    if (std::string reason = buildSite(seasons, settings, templates, files); !reason.empty()) {
        outcome.problems.push_back("template " + reason);
        return outcome;
    }
    outcome.files = writeSite(options.outputFolder, files);
    outcome.problems = outcome.files.problems;
    return outcome;
}

} // namespace boxloom::site
