#pragma once

// What the pages show of each kind of statistics line, written once: the
// season tables, the team pages, the player pages and the leaders read it.

#include "league_data.h"
#include "page_models.h"
#include "rules.h"
#include "stat_tables.h"

#include <span>
#include <string_view>
#include <vector>

namespace boxloom::site::pages {

struct LineKind {
    std::string_view page;    // the season table's name, as in kSeasonTableNames: "batting"
    std::string_view heading; // "Batting"
    std::span<const StatColumn> (*columns)();
    Qualifier qualifier; // of the season table's "Qualified only" box
    std::vector<StatLine> SeasonData::*lines;
};

inline constexpr LineKind kLineKinds[] = {
    {kSeasonTableNames[0], "Batting", battingColumns, Qualifier::PlateAppearances, &SeasonData::batting},
    {kSeasonTableNames[1], "Pitching", pitchingColumns, Qualifier::Outs, &SeasonData::pitching},
    {kSeasonTableNames[2], "Fielding", fieldingColumns, Qualifier::None, &SeasonData::fielding},
};

inline const LineKind& lineKind(SeasonTableKind kind) { return kLineKinds[static_cast<std::size_t>(kind)]; }
// Batting and pitching, whose lines have leaders.
inline const LineKind& lineKind(StatKind kind) { return kLineKinds[static_cast<std::size_t>(kind)]; }

} // namespace boxloom::site::pages
