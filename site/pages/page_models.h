#pragma once

// The pages as plain data: what each page maker makes from the league, before
// any template sees it.

#include "league_data.h"
#include "stat_tables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace boxloom::site::pages {

// A leader box as a page shows it: plain data, made into the template's data
// only when the page is written.
struct LeaderEntry {
    std::string rank; // "1", "T-2"
    std::string name;
    std::string link; // "" when the name leads nowhere
    std::string team;
    std::string value;
};

struct LeaderBox {
    std::string key; // for the anchor
    std::string title;
    std::string minimum; // "" for counting categories
    std::vector<LeaderEntry> entries;
};

using LeaderBoxes = std::vector<LeaderBox>;

// A heading and its leader boxes.
struct LeaderGroup {
    std::string heading;
    LeaderBoxes boxes;
};
using LeaderGroups = std::vector<LeaderGroup>;

// A team's season: its record, its leaders and its tables, as plain data.
struct TeamPage {
    std::string path;
    std::string title;
    std::string season;
    std::string leadersLink;
    std::string franchiseLink;
    std::string record; // "88–74"; "" when the standings do not have the team
    LeaderBoxes boxes;
    // Each stat type's batting then pitching: the team's lines, then its total; none empty.
    std::vector<StatTable> tables;
};

// The players index: a section per initial of the last name ("#" for any
// other), players in last-name order.
struct IndexEntry {
    std::string name; // "First Last"
    std::string link; // from the index
    std::string seasons;
};
struct IndexLetter {
    std::string letter;
    std::string anchor;
    std::vector<IndexEntry> players;
};

// The front page: every season's leaders and tables, the franchises, the
// database when it is offered, and the latest season's standings and leaders.
inline constexpr std::array<std::string_view, 3> kSeasonTableNames = {"batting", "pitching", "fielding"};
struct SeasonLinks {
    std::string label;
    std::string leaders;
    std::vector<std::string> tables; // in kSeasonTableNames' order
};
struct NamedLink {
    std::string name;
    std::string link;
};
// The latest season on the front page: its standings and its leaders.
struct LatestSeason {
    std::string label;
    std::string leaders;               // its leaders page
    std::optional<NamedLink> champion; // its franchise; none before the last round is won
    std::string finalRound;            // the round it won
    TextTable standings;
    LeaderBoxes boxes;
};
struct FrontPage {
    std::vector<SeasonLinks> seasons;
    std::vector<NamedLink> franchises;
    std::string database;               // "" when no copy is offered
    std::optional<LatestSeason> latest; // none without seasons
};

// What the search box finds: a player (his seasons) or a team's season.
struct SearchEntry {
    std::string name;
    std::string detail;
    std::string path; // from the site's folder
    bool operator==(const SearchEntry&) const = default;
};

// A season's leaders page of one stat type: the leader groups, the other
// stat types' pages, and the season's export files when offered (regular
// season only).
struct SeasonLeadersPage {
    std::string path;
    std::string title;
    std::string statType;
    Counter games = 0;
    std::vector<NamedLink> otherTypes;
    std::vector<NamedLink> downloads;
    LeaderGroups groups;
};

// The career leaders over every regular season.
struct CareerPage {
    LeaderGroups groups;
    std::string first; // the first season's label; "" without seasons
    std::string last;
    std::size_t seasons = 0;
};

// Who held a single-season record after each season: the holders (several
// when tied), each with the season he set it in.
struct RecordHolder {
    std::string name;
    std::string link;
    std::string setIn;
};
struct RecordAfterSeason {
    std::string season;
    std::vector<RecordHolder> holders;
    std::string value;
};
struct RecordProgression {
    std::string key; // for the anchor
    std::string title;
    std::vector<RecordAfterSeason> seasons; // only seasons after which the record stood
};
struct RecordsPage {
    LeaderGroups groups; // single seasons, careers, teams
    std::vector<RecordProgression> progressions;
    std::size_t seasons = 0;
};

// A team number's history: a row per season (record, playoff round, the
// team's leaders) and its leaders over all its seasons.
struct FranchisePage {
    std::string path;
    std::string title;
    std::string first; // the first season's label
    std::string last;
    std::size_t seasonCount = 0;
    TextTable seasons;
    LeaderBoxes boxes;
};

// The glossary: every column's abbreviation once with its meaning, and the
// rules of counting and qualifying.
struct GlossaryTerm {
    std::string abbreviation;
    std::string meaning;
};
struct GlossaryPage {
    std::vector<GlossaryTerm> terms;
    std::vector<std::string> rules;
};
GlossaryPage glossary();

// A season's table of one kind and stat type: every row, a traded player's
// total (TOT, class "tot") before his team rows (class "part"), which sort
// with it; rows that do not qualify, or whose total does not, marked
// "unqualified".
enum class SeasonTableKind { Batting, Pitching, Fielding };
struct SeasonTablePage {
    std::string path;
    std::string title;
    std::string description;
    std::string leadersLink;
    StatTable table;           // without rows when the stat type has none
    std::string laterRowsPath; // where the rows after the first block go, for a long table
    std::vector<NamedLink> otherTypes;
};

// A player's page: his tables (each kind and stat type with its season, TOT
// and career rows; splits; fielding) and the rate his chart follows.
struct PlayerPage {
    std::string path;
    std::string title;
    std::vector<StatTable> tables;
    std::vector<std::pair<std::string, Ratio>> ops; // by regular season
    std::vector<std::pair<std::string, Ratio>> era;
    bool pitcher = false; // the chart follows his ERA
};

} // namespace boxloom::site::pages
