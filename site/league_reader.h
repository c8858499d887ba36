#pragma once

// Reads a Boxloom database, read-only: it is never written.

#include "league_data.h"
#include "sqlite_db.h"

#include <string>
#include <vector>

namespace boxloom::site {

class LeagueReader {
public:
    // The reason it cannot be read as a Boxloom database, or "".
    std::string open(const std::string& path);
    // The season labels in the order they sort.
    std::vector<std::string> seasons();
    // The reason it failed, or "".
    std::string load(const std::string& label, SeasonData& season);

private:
    database::Connection db_;
};

} // namespace boxloom::site
