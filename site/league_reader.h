#pragma once

// Reads a Boxloom database, read-only: it is never written.

#include "league_data.h"
#include "sqlite_db.h"

#include <string>
#include <vector>

namespace boxloom::site {

// A season is read in parts, so that its parts can be read at once, each
// through its own connection.
enum class SeasonPart { Batting, Pitching, Fielding, Teams };
inline constexpr SeasonPart kSeasonParts[] = {SeasonPart::Batting, SeasonPart::Pitching, SeasonPart::Fielding,
                                              SeasonPart::Teams};

class LeagueReader {
public:
    // The reason it cannot be read as a Boxloom database, or "".
    std::string open(const std::string& path);
    // The season labels in the order they sort.
    std::vector<std::string> seasons();
    // Reads one part of a season into its members of `season`; the reason it
    // failed, or "".
    std::string load(const std::string& label, SeasonPart part, SeasonData& season);
    // A whole season, completed.
    std::string load(const std::string& label, SeasonData& season);

private:
    database::Connection db_;
};

// Once every part is read: what the parts make together (the stat types).
void completeSeason(SeasonData& season);

} // namespace boxloom::site
