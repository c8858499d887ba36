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

void SiteBuilder::addFranchiseSeasonRow(const FranchiseSeason& entry, const std::string& from,
                                        TableData& table) const {
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
    table.addRow(std::move(cells), {}, {});
}

std::string SiteBuilder::franchisePages() {
    for (const Franchise& franchise : franchises_) {
        const std::string path = urls::franchise(franchise.teamId);
        TableData table("seasons", {"Season", "Team"});
        table.addHeader("W", "Wins", true);
        table.addHeader("L", "Losses", true);
        table.addHeader("PCT", "Winning percentage: W / (W + L)", true);
        table.addHeader("GB", "Games behind the league's leader", true);
        table.addHeader("Pyth", "The record the runs predict", false);
        table.addHeader("Playoffs", "The last playoff round reached; \"won\" for the season's champion",
                        false);
        for (std::string_view key : kSeasonLeaderCategories)
            table.addHeader(std::string(categoryOf(key).title), "The team's leader", false);
        Counter games = 0;
        for (const FranchiseSeason& entry : franchise.seasons) {
            addFranchiseSeasonRow(entry, path, table);
            games += seasonPages_[entry.season].games;
        }
        LeaderBoxes boxes;
        for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
            const std::vector<PlayerTotal> totals = totalsWithTeam(seasons_, franchise, kind);
            addCategoryBoxes(kind, totals, games, kLeaderCount, path, boxes);
        }
        PageData page;
        put(page, "seasons", table.data("Season by season"));
        put(page, "first", seasons_[franchise.seasons.front().season].label);
        put(page, "last", seasons_[franchise.seasons.back().season].label);
        put(page, "count", std::to_string(franchise.seasons.size()));
        put(page, "boxes", boxesData(boxes));
        if (std::string reason =
                write(path, franchise.name + ": franchise history", "franchise", std::move(page));
            !reason.empty())
            return reason;
    }
    return {};
}

} // namespace boxloom::site::pages
