#pragma once

// Every page of the site, made in memory from the league's seasons.

#include "league_data.h"
#include "site_templates.h"

#include <optional>
#include <string>
#include <vector>

namespace boxloom::site {

struct SiteSettings {
    std::string title = "League statistics";
    std::optional<Counter> games; // games per team, when the league says
    std::string version;
};

struct SiteFile {
    std::string path; // relative, with '/'
    std::string bytes;
};

// The reason it failed (a template error), or "".
std::string buildSite(const std::vector<SeasonData>& seasons, const SiteSettings& settings,
                      const SiteTemplates& templates, std::vector<SiteFile>& files);

// A season label as a folder name: letters, digits, '-', '_' and '.' kept,
// anything else '-'; never empty, never starting with a dot.
std::string folderNameFor(const std::string& label);

} // namespace boxloom::site
