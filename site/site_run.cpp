#include "site_run.h"

#include "league_store.h"
#include "parallel.h"

#include <algorithm>
#include <iterator>
#include <memory>

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
    database::LeagueStore store;
    if (std::string reason = store.open(options.database); !reason.empty()) {
        outcome.problems.push_back(options.database + ": " + reason);
        return outcome;
    }
    const std::vector<std::string> present = store.seasons();
    std::vector<std::string> chosen = options.seasons.empty() ? present : options.seasons;
    for (const std::string& label : chosen)
        if (std::find(present.begin(), present.end(), label) == present.end())
            outcome.problems.push_back(options.database + ": no season \"" + label + "\"");
    if (!outcome.succeeded()) return outcome;
    // In the database's order, whatever the order of the options.
    std::vector<std::string> labels;
    for (const std::string& label : present)
        if (std::find(chosen.begin(), chosen.end(), label) != chosen.end()) labels.push_back(label);
    // Seasons are read side by side, and the parts of each too, each thread
    // through its own store.
    std::vector<SeasonData> seasons(labels.size());
    using database::kSeasonParts;
    constexpr std::size_t kParts = std::size(kSeasonParts);
    std::vector<std::string> reasons(labels.size() * kParts);
    forEachInParallel(
        reasons.size(),
        [&options] {
            struct Reader {
                database::LeagueStore store;
                std::string openFailed;
            };
            auto own = std::make_unique<Reader>();
            own->openFailed = own->store.open(options.database);
            return own;
        },
        [&](auto& own, std::size_t index) {
            const std::size_t season = index / kParts;
            reasons[index] =
                own->openFailed.empty()
                    ? own->store.load(labels[season], kSeasonParts[index % kParts], seasons[season])
                    : own->openFailed;
        });
    for (const std::string& reason : reasons) {
        if (!reason.empty()) {
            outcome.problems.push_back(options.database + ": " + reason);
            return outcome;
        }
    }
    for (std::size_t i = 0; i < seasons.size(); ++i) {
        seasons[i].label = labels[i];
        database::completeSeason(seasons[i]);
    }
    SiteSettings settings{options.title, options.games, options.version};
    SiteWriter writer(options.outputFolder);
    if (std::string reason = buildSite(seasons, settings, templates, writer); !reason.empty()) {
        outcome.problems.push_back("template " + reason);
        return outcome;
    }
    outcome.files = writer.finish();
    outcome.problems = outcome.files.problems;
    return outcome;
}

} // namespace boxloom::site
