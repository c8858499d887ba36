#include "page_builder.h"

#include "urls.h"

#include <map>
#include <stdexcept>

namespace boxloom::site::pages {

namespace {

// The categories a franchise's season row names its leader in.
constexpr std::string_view kSeasonLeaderCategories[] = {"hr", "avg", "w", "era"};

const Category& categoryOf(std::string_view key) {
    for (const Category& category : leaderCategories())
        if (category.key == key) return category;
    throw std::logic_error("no leader category " + std::string(key));
}

// A player's regular seasons with one team, summed over the seasons.
std::vector<PlayerTotal> totalsWithTeam(const std::vector<SeasonData>& seasons, const Franchise& franchise,
                                        StatKind kind) {
    std::map<std::pair<std::int64_t, std::string_view>, std::size_t> index;
    std::vector<PlayerTotal> totals;
    for (const FranchiseSeason& entry : franchise.seasons) {
        for (PlayerTotal& season :
             seasonTotals(linesOfKind(seasons[entry.season], kind), kRegular, {}, franchise.teamId)) {
            const auto [found, fresh] =
                index.emplace(std::pair{season.playerId, season.player}, totals.size());
            if (fresh) {
                season.team = {};
                totals.push_back(std::move(season));
            } else {
                addCounters(totals[found->second].counters, season.counters);
            }
        }
    }
    return totals;
}

} // namespace

std::vector<Cell> SiteBuilder::franchiseSeasonRow(const FranchiseSeason& entry,
                                                  const std::string& from) const {
    const SeasonPages& season = seasonPages_[entry.season];
    const Standing& standing = entry.standing;
    std::vector<Cell> cells = {
        {season.data->label, urls::relative(from, urls::team(season.folder, standing.team->id))},
        {standing.team->name()},
        {std::to_string(standing.wins)},
        {std::to_string(standing.losses)},
        {formatValue(standing.percentage, Shown::Average)},
        {standing.gamesBehind},
        {pythagoreanRecord(standing)},
        {entry.roundReached.empty() ? "" : entry.roundReached + (entry.champion ? ", won" : "")}};
    for (std::size_t i = 2; i <= 5; ++i)
        cells[i].numeric = true;
    if (standing.gamesBehind == kUndefinedRate) cells[5].sort = "0"; // the leader
    for (std::string_view key : kSeasonLeaderCategories) {
        const Category& category = categoryOf(key);
        const std::vector<PlayerTotal> totals =
            seasonTotals(linesOfKind(*season.data, category.kind), kRegular, {}, standing.team->id);
        const std::vector<Ranked> best =
            rankCandidates(categoryCandidates(category, totals, minimumFor(category.qualifier, season.games)),
                           category.direction, 1);
        if (best.empty()) {
            cells.push_back({""});
            continue;
        }
        const PlayerTotal& leader = totals[best.front().candidate.source];
        cells.push_back(
            {displayName(leader.player) + " " + formatValue(best.front().candidate.value, category.shown),
             playerLink(from, leader.playerId, leader.player)});
    }
    return cells;
}

FranchisePage SiteBuilder::franchisePage(const Franchise& franchise) const {
    FranchisePage page;
    page.path = urls::franchise(franchise.teamId);
    page.title = franchise.name + ": franchise history";
    page.first = seasons_[franchise.seasons.front().season].label;
    page.last = seasons_[franchise.seasons.back().season].label;
    page.seasonCount = franchise.seasons.size();
    page.seasons = {
        "seasons",
        "Season by season",
        {"Season", "Team"},
        {
            {"W", "Wins", true},
            {"L", "Losses", true},
            {"PCT", "Winning percentage: W / (W + L)", true},
            {"GB", "Games behind the league's leader", true},
            {"Pyth", "The record the runs predict", false},
            {"Playoffs", "The last playoff round reached; \"won\" for the season's champion", false},
        },
        {}};
    for (std::string_view key : kSeasonLeaderCategories)
        page.seasons.headers.push_back({std::string(categoryOf(key).title), "The team's leader", false});
    std::vector<Counter> games;
    for (const FranchiseSeason& entry : franchise.seasons) {
        page.seasons.rows.push_back(franchiseSeasonRow(entry, page.path));
        games.push_back(seasonPages_[entry.season].games);
    }
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
        const std::vector<PlayerTotal> totals = totalsWithTeam(seasons_, franchise, kind);
        addCategoryBoxes(kind, totals, games, kLeaderCount, page.path, page.boxes);
    }
    return page;
}

std::string SiteBuilder::franchisePages() {
    for (const Franchise& franchise : franchises_) {
        const FranchisePage page = franchisePage(franchise);
        if (std::string reason = write(page.path, page.title, "franchise", page); !reason.empty())
            return reason;
    }
    return {};
}

} // namespace boxloom::site::pages
