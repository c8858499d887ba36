#pragma once

#include <string>

namespace boxloom {

enum class PitcherHittingMode { Include, GroupByTeam, Ignore, None };

// How teams are named in the Team column; None leaves the column empty.
enum class TeamNotation { City, Nickname, Abbreviation, CityAndNickname, None };

struct ExportOptions {
    std::string seasonFolder;
    std::string outputFolder;
    std::string outputSuffix = "CSV";
    TeamNotation teamNotation = TeamNotation::CityAndNickname;
    PitcherHittingMode pitcherHitting = PitcherHittingMode::Include;
    bool includeFielding = false;
    bool includePitchingSplits = false;
    bool includeHittingSplits = false;
};

// The one-letter codes "C", "N", "A", "B"; empty for None.
const char* teamNotationCode(TeamNotation notation);

} // namespace boxloom
