#pragma once

// One run of the site program: read the database, make every page, write the
// ones that changed.

#include "site_pages.h"
#include "site_writer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::site {

struct SiteOptions {
    std::string database;
    std::string outputFolder;
    std::vector<std::string> seasons; // every season when empty
    std::optional<Counter> games;
    std::string title = "League statistics";
    std::string templatesFolder; // templates that replace the built-in ones
    bool downloads = false;      // each season's export files and a copy of the database
    std::string version;
    SiteWatch watch;
};

struct SiteOutcome {
    std::vector<std::string> problems; // "WHAT: reason"
    std::vector<std::string> warnings; // for the commissioner, not the readers
    WriteSummary files;
    bool cancelled() const { return files.cancelled; }
    bool succeeded() const { return problems.empty(); }
};

SiteOutcome makeSite(const SiteOptions& options);

// Games per team as a person types it: a whole number from 1 to 100000. The
// reason it is not one, or "" with `games` set.
std::string parseGames(std::string_view text, Counter& games);

} // namespace boxloom::site
