#pragma once

// What the page makers share: the site's model, worked out once, and the
// builder that makes pages into one task's list of files, with the leader
// boxes, standings and links that several kinds of page show.

#include "franchises.h"
#include "league_data.h"
#include "players.h"
#include "ranking.h"
#include "rules.h"
#include "site_pages.h"
#include "stat_tables.h"

#include <array>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace boxloom::site::pages {

inline constexpr std::size_t kLeaderCount = 10;
inline constexpr std::size_t kFrontPageLeaderCount = 5;
inline constexpr std::size_t kTeamLeaderCount = 3;

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

PageData list();
PageData boxesData(const LeaderBoxes& boxes);
PageData groupsData(const LeaderGroups& groups);
PageData textList(const std::vector<std::string>& texts);
std::string coordinate(double value);

// Regular first, then the playoff types in the order they appear, PreSeason last.
std::vector<std::string> orderedStatTypes(const SeasonData& season);
const std::vector<StatLine>& linesOfKind(const SeasonData& season, StatKind kind);
// Games per team for a stat type: the league's number for the regular season,
// otherwise the most starts of a team in that stat type's rows.
Counter gamesFor(const SeasonData& season, const std::string& statType, std::optional<Counter> told);

// The candidates of a category: the players whose counters qualify.
template <typename Qualifies>
std::vector<Candidate> candidatesOf(const std::vector<PlayerTotal>& totals, Qualifies qualifies,
                                    Ratio (*value)(const Counters&)) {
    std::vector<Candidate> found;
    for (std::size_t i = 0; i < totals.size(); ++i)
        if (qualifies(totals[i].counters)) found.push_back({totals[i].player, value(totals[i].counters), i});
    return found;
}

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
// Links as the templates list them: each with its name and link.
PageData linksData(const std::vector<NamedLink>& links);
struct SeasonPages;
struct FrontPage {
    std::vector<SeasonLinks> seasons;
    std::vector<NamedLink> franchises;
    std::string database;                // "" when no copy is offered
    const SeasonPages* latest = nullptr; // null without seasons
    std::string latestLeaders;
    LeaderBoxes boxes; // the latest season's
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

struct BoxHeading {
    std::string key; // for the anchor
    std::string title;
    std::string minimum; // "" for counting categories
};

BoxHeading headingOf(const Category& category, Counter minimum);
std::vector<Candidate> categoryCandidates(const Category& category, const std::vector<PlayerTotal>& totals,
                                          Counter minimum);

struct SeasonPages {
    const SeasonData* data = nullptr;
    std::string folder;
    Counter games = 0;
    // The players leading a category of the regular season: (category, PlayerID).
    std::set<std::pair<std::string_view, std::int64_t>> leading;
};

// What every page is made from, worked out once and shared by the threads
// that make the pages.
struct SiteModel {
    const std::vector<SeasonData>& seasons;
    const SiteSettings& settings;
    Players players;
    std::vector<SeasonPages> seasonPages;
    std::vector<Franchise> franchises;
    const SiteDownloads& downloads;
};

// Makes pages into its own list of files, so that several can work at once.
class SiteBuilder {
public:
    SiteBuilder(const SiteModel& model, const SiteTemplates& templates, PageSink& sink, std::size_t task)
        : seasons_(model.seasons), settings_(model.settings), templates_(templates), sink_(sink), task_(task),
          players_(model.players), seasonPages_(model.seasonPages), franchises_(model.franchises),
          downloads_(model.downloads) {}

    // A season's leader boxes of a stat type, for the page at `from`.
    struct SeasonLeaders {
        LeaderBoxes batting;
        LeaderBoxes pitching;
        LeaderBoxes fielding;
    };
    SeasonLeaders seasonLeaders(const SeasonPages& season, const std::string& statType, Counter games,
                                const std::string& from) const;

    SeasonLeadersPage seasonLeadersPage(const SeasonPages& season, const std::string& statType,
                                        const std::vector<std::string>& types) const;
    CareerPage careerLeaders() const;
    RecordsPage records() const;
    FranchisePage franchisePage(const Franchise& franchise) const;
    // A season's standings, for the page at `from`.
    TextTable standingsTable(const SeasonPages& season, const std::string& from) const;
    std::vector<IndexLetter> playersIndexLetters() const;
    FrontPage frontPage() const;
    PlayerPage playerPage(const Player& player) const;
    SeasonTablePage seasonTablePage(const SeasonPages& season, SeasonTableKind kind, const std::string& type,
                                    const std::vector<std::string>& types) const;
    // Every player once, then every team of every season.
    std::vector<SearchEntry> searchEntries() const;
    TeamPage teamPage(const SeasonPages& season, const Team& team,
                      const std::vector<Standing>& standings) const;

    std::string indexPage();
    std::string leaderPages(const SeasonPages& season);
    std::string statPages(const SeasonPages& season);
    std::string teamPages(const SeasonPages& season);
    std::string franchisePages();
    std::string downloadFiles();
    std::string playerPages(std::span<const Player* const> players);
    std::string playersIndex();
    std::string careerPage();
    std::string recordsPage();
    std::string glossaryPage();
    std::string styleSheet();
    std::string searchIndex();

private:
    // The page at `path`; its links to other pages are made from that path.
    std::string write(const std::string& path, const std::string& title, std::string_view page,
                      PageData data);
    std::string playerLink(const std::string& from, std::int64_t id, std::string_view name) const;
    PageData teamPageData(const TeamPage& page) const;

    // A leader box: the ranked candidates stand for players of `totals`.
    LeaderBox box(const BoxHeading& heading, const std::vector<Ranked>& ranked,
                  const std::vector<PlayerTotal>& totals, Shown shown, const std::string& from) const;
    // Appends the leader boxes of a kind's categories over players' totals (a season's or a team's).
    void addCategoryBoxes(StatKind kind, const std::vector<PlayerTotal>& totals, Counter games,
                          std::size_t limit, const std::string& from, LeaderBoxes& boxes) const;
    // The leader boxes of every category of a kind over the players' careers.
    LeaderBoxes careerBoxes(StatKind kind, const std::vector<PlayerTotal>& totals, const std::string& from,
                            const std::string& keyPrefix) const;
    // Who held a category's single-season record after each season.
    RecordProgression progression(const Category& category, const std::string& from) const;
    // The teams' best single seasons: wins, percentage, runs scored and allowed.
    LeaderBoxes teamRecordBoxes(const std::string& from) const;
    LeaderBoxes fieldingBoxes(const SeasonData& season, const std::string& statType, Counter games,
                              const std::string& from) const;
    std::vector<Cell> franchiseSeasonRow(const FranchiseSeason& entry, const std::string& from) const;

    const std::vector<SeasonData>& seasons_;
    const SiteSettings& settings_;
    const SiteTemplates& templates_;
    PageSink& sink_;
    std::size_t task_;
    const Players& players_;
    const std::vector<SeasonPages>& seasonPages_;
    const std::vector<Franchise>& franchises_;
    const SiteDownloads& downloads_;
};

struct CareerTotals {
    std::vector<PlayerTotal> batting;
    std::vector<PlayerTotal> pitching;
    const std::vector<PlayerTotal>& of(StatKind kind) const {
        return kind == StatKind::Batting ? batting : pitching;
    }
};
// Every regular-season line of each player, summed over the seasons.
CareerTotals careerTotals(const Players& players);

// The players who lead a category of the regular season, for bold figures.
void noteLeaders(SeasonPages& pages);
// What the players have towards a qualifier in one stat type, by PlayerID.
std::unordered_map<std::int64_t, Counter> amountsById(const std::vector<StatLine>& lines,
                                                      const std::string& statType, Qualifier qualifier);
// The lines of a stat type (and of one team, when given), by player, team and position.
std::vector<const StatLine*> linesOf(const std::vector<StatLine>& lines, const std::string& statType,
                                     std::optional<std::int64_t> teamId = std::nullopt);
// A chart of one rate by season, as the data of the player template.
PageData rateChart(const std::string& label, const std::vector<std::pair<std::string, Ratio>>& points,
                   Shown shown);
std::string lastNameKey(const std::string& rowName);

} // namespace boxloom::site::pages
