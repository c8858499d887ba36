#pragma once

// What the league window's controls ask for, worked out without a window: the
// seasons to import and the site to build, or the problems that stop them.

#include "league_settings.h"
#include "site_run.h"

#include <string>
#include <utility>
#include <vector>

namespace boxloom::frontend {

// A season folder in the window's list, with the label it will be imported
// under (the folder's name until the user edits it).
struct SeasonFolder {
    std::string folder;
    std::string label;
};

SeasonFolder seasonFolderFor(const std::string& folder);

struct ImportRequest {
    std::string database;
    std::vector<std::pair<std::string, std::string>> seasons; // label, folder
    std::vector<std::string> problems;
    bool replace = false; // import seasons the database's guards refuse (the user said so)
    bool ready() const { return problems.empty(); }
};

// No database, no season, a blank label and two folders under one label are
// problems; each is said once, in the words the log shows.
ImportRequest importRequestOf(const std::string& database, const std::vector<SeasonFolder>& list);

struct SiteRequest {
    site::SiteOptions options;
    std::vector<std::string> problems;
    bool ready() const { return problems.empty(); }
};

SiteRequest siteRequestOf(const LeagueSettings& settings, const std::string& version);

} // namespace boxloom::frontend
