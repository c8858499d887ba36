#pragma once

// What the page makers share: the site's model, worked out once, and the
// builder that makes pages into one task's list of files, with the leader
// boxes, standings and links that several kinds of page show.

#include "franchises.h"
#include "league_data.h"
#include "page_data.h"
#include "page_keys.h"
#include "page_models.h"
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

// Regular first, PreSeason last, the playoffs between in the order they came.
std::vector<std::string> inPageOrder(std::vector<std::string> statTypes);
// The season's stat types in that order.
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
    PageKeys keys;
};

// Makes pages into its own list of files, so that several can work at once.
class SiteBuilder {
public:
    SiteBuilder(const SiteModel& model, const SiteTemplates& templates, PageSink& sink, std::size_t task)
        : seasons_(model.seasons), settings_(model.settings), templates_(templates), sink_(sink), task_(task),
          players_(model.players), seasonPages_(model.seasonPages), franchises_(model.franchises),
          downloads_(model.downloads), keys_(model.keys) {}

    // Whether the group of this key is kept from an earlier run (see PageSink).
    bool reuse(const std::string& key) { return sink_.reuse(task_, key); }

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
    // The latest season's champion, when its last round was won.
    void addChampion(std::size_t season, const std::string& from, LatestSeason& shown) const;
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
    template <class Page>
    std::string write(const std::string& path, const std::string& title, std::string_view name,
                      const Page& page) {
        std::string html;
        if (std::string reason = renderPage(templates_, name, frameOf(path, title), page, html);
            !reason.empty())
            return reason;
        sink_.put(task_, path, html);
        return {};
    }
    PageFrame frameOf(const std::string& path, const std::string& title) const {
        return {path, title, settings_.title, settings_.version};
    }
    std::string playerLink(const std::string& from, std::int64_t id, std::string_view name) const;

    // A leader box: the ranked candidates stand for players of `totals`.
    LeaderBox box(const BoxHeading& heading, const std::vector<Ranked>& ranked,
                  const std::vector<PlayerTotal>& totals, Shown shown, const std::string& from) const;
    // Appends the leader boxes of a kind's categories over players' totals (a season's or a team's).
    void addCategoryBoxes(StatKind kind, const std::vector<PlayerTotal>& totals,
                          const std::vector<Counter>& seasonGames, std::size_t limit, const std::string& from,
                          LeaderBoxes& boxes) const;
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
    const PageKeys& keys_;
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
std::string lastNameKey(const std::string& rowName);

} // namespace boxloom::site::pages
