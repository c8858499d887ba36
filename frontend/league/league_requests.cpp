#include "league_requests.h"

#include "season_import.h"

#include <algorithm>
#include <set>

namespace boxloom::frontend {

SeasonFolder seasonFolderFor(const std::string& folder) {
    return {folder, database::defaultSeasonLabel(folder)};
}

ImportRequest importRequestOf(const std::string& database, const std::vector<SeasonFolder>& list) {
    ImportRequest request;
    request.database = database;
    if (database.empty()) request.problems.push_back("Choose the league database first.");
    if (list.empty()) request.problems.push_back("Add a season folder to import.");
    std::set<std::string> labels, repeated;
    for (const SeasonFolder& season : list) {
        if (season.label.empty()) {
            request.problems.push_back(season.folder + ": give the season a label.");
            continue;
        }
        if (!labels.insert(season.label).second && repeated.insert(season.label).second)
            request.problems.push_back("Two season folders have the label \"" + season.label +
                                       "\"; each season needs its own.");
        request.seasons.emplace_back(season.label, season.folder);
    }
    return request;
}

SiteRequest siteRequestOf(const LeagueSettings& settings, const std::string& version) {
    SiteRequest request;
    site::SiteOptions& options = request.options;
    options.database = settings.database;
    options.outputFolder = settings.siteFolder;
    options.templatesFolder = settings.templatesFolder;
    options.version = version;
    if (!settings.title.empty()) options.title = settings.title;
    if (settings.database.empty()) request.problems.push_back("Choose the league database first.");
    if (settings.siteFolder.empty()) request.problems.push_back("Choose the folder of the web site.");
    const std::string games = [&] {
        std::string text = settings.games;
        text.erase(0, text.find_first_not_of(' '));
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }();
    if (!games.empty()) {
        Counter value = 0;
        if (std::string problem = site::parseGames(games, value); !problem.empty())
            request.problems.push_back("Games per team: " + problem + ".");
        else
            options.games = value;
    }
    return request;
}

} // namespace boxloom::frontend
