#include "page_builder.h"

#include "line_kinds.h"
#include "urls.h"

#include <algorithm>
#include <charconv>

namespace boxloom::site::pages {

std::vector<std::string> inPageOrder(std::vector<std::string> statTypes) {
    const auto weight = [](const std::string& type) {
        return type == kRegular ? 0 : type == kPreSeason ? 2 : 1;
    };
    std::stable_sort(statTypes.begin(), statTypes.end(),
                     [&](const std::string& a, const std::string& b) { return weight(a) < weight(b); });
    return statTypes;
}

std::vector<std::string> orderedStatTypes(const SeasonData& season) { return inPageOrder(season.statTypes); }

const std::vector<StatLine>& linesOfKind(const SeasonData& season, StatKind kind) {
    return season.*lineKind(kind).lines;
}

// Games per team for a stat type: the league's number for the regular season,
// otherwise the most starts of a team in that stat type's rows.
Counter gamesFor(const SeasonData& season, const std::string& statType, std::optional<Counter> told) {
    if (statType == kRegular) return gamesPerTeam(season, told);
    std::map<Counter, Counter> starts;
    Counter most = 0;
    for (const StatLine& line : season.pitching)
        if (line.statType == statType) most = std::max(most, starts[line.teamId] += line.counters[pit::GS]);
    return most;
}

BoxHeading headingOf(const Category& category, Counter minimum) {
    return {std::string(category.key), std::string(category.title), minimumText(category.qualifier, minimum)};
}

std::vector<Candidate> categoryCandidates(const Category& category, const std::vector<PlayerTotal>& totals,
                                          Counter minimum) {
    return candidatesOf(
        totals, [&](const Counters& counters) { return qualifies(category, counters, minimum); },
        category.value);
}

std::string SiteBuilder::playerLink(const std::string& from, std::int64_t id, std::string_view name) const {
    const Player* player = players_.find(id, name);
    return player == nullptr ? std::string() : urls::relative(from, urls::player(player->page));
}

LeaderBox SiteBuilder::box(const BoxHeading& heading, const std::vector<Ranked>& ranked,
                           const std::vector<PlayerTotal>& totals, Shown shown,
                           const std::string& from) const {
    LeaderBox made{heading.key, heading.title, heading.minimum, {}};
    for (const Ranked& entry : ranked) {
        const PlayerTotal& total = totals[entry.candidate.source];
        made.entries.push_back({entry.rank, displayName(total.player),
                                playerLink(from, total.playerId, total.player), total.teamText(),
                                formatValue(entry.candidate.value, shown)});
    }
    return made;
}

void SiteBuilder::addCategoryBoxes(StatKind kind, const std::vector<PlayerTotal>& totals,
                                   const std::vector<Counter>& seasonGames, std::size_t limit,
                                   const std::string& from, LeaderBoxes& boxes) const {
    for (const Category& category : leaderCategories()) {
        if (category.kind != kind) continue;
        const Counter minimum = minimumOverSeasons(category.qualifier, seasonGames);
        boxes.push_back(
            box(headingOf(category, minimum),
                rankCandidates(categoryCandidates(category, totals, minimum), category.direction, limit),
                totals, category.shown, from));
    }
}

LeaderBoxes SiteBuilder::fieldingBoxes(const SeasonData& season, const std::string& statType, Counter games,
                                       const std::string& from) const {
    LeaderBoxes boxes;
    const auto outsPitched = amountsById(season.pitching, statType, Qualifier::Outs);
    for (const std::string& position : fieldingPositions()) {
        const std::vector<PlayerTotal> totals = seasonTotals(season.fielding, statType, position);
        std::vector<Candidate> found;
        for (std::size_t i = 0; i < totals.size(); ++i) {
            const auto outs = outsPitched.find(totals[i].playerId);
            const Counter pitched = outs == outsPitched.end() ? 0 : outs->second;
            if (qualifiesAtPosition(position, totals[i].counters[fld::G], pitched, games))
                found.push_back({totals[i].player, rateOf<rate::kFieldingAverage>(totals[i].counters), i});
        }
        boxes.push_back(
            box({"fpct-" + position, "Fielding average, " + position, positionMinimumText(position, games)},
                rankCandidates(std::move(found), Direction::HigherFirst, kLeaderCount), totals,
                Shown::Average, from));
    }
    return boxes;
}

TextTable SiteBuilder::standingsTable(const SeasonPages& season, const std::string& from) const {
    TextTable table{
        "standings",
        "Standings",
        {"Team"},
        {
            {"W", "Wins", true},
            {"L", "Losses", true},
            {"PCT", "Winning percentage: W / (W + L)", true},
            {"GB", "Games behind the leader", true},
            {"RS", "Runs scored: the R of the team's batting rows", true},
            {"RA", "Runs allowed: the R of the team's pitching rows", true},
            {"Pyth", "The record the runs predict: W = G \u00d7 RS^1.83 / (RS^1.83 + RA^1.83)", false},
        },
        {}};
    for (const Standing& standing : standings(*season.data)) {
        std::vector<Cell> cells = {
            {standing.team->name(), urls::relative(from, urls::team(season.folder, standing.team->id))},
            {std::to_string(standing.wins)},
            {std::to_string(standing.losses)},
            {formatValue(standing.percentage, Shown::Average)},
            {standing.gamesBehind},
            {std::to_string(standing.runsScored)},
            {std::to_string(standing.runsAllowed)},
            {pythagoreanRecord(standing)}};
        cells[3].sort = sortKey(standing.percentage);
        if (standing.gamesBehind == kUndefinedRate) cells[4].sort = "0"; // the leader
        for (std::size_t i = 1; i + 1 < cells.size(); ++i)
            cells[i].numeric = true;
        table.rows.push_back(std::move(cells));
    }
    return table;
}

// The players who lead a category of the regular season, for bold figures.
void noteLeaders(SeasonPages& pages) {
    const SeasonData& season = *pages.data;
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
        const std::vector<PlayerTotal> totals = seasonTotals(linesOfKind(season, kind), kRegular);
        for (const Category& category : leaderCategories()) {
            if (category.kind != kind) continue;
            const Counter minimum = minimumFor(category.qualifier, pages.games);
            // By PlayerID: two players may share a name.
            for (const Ranked& entry :
                 rankCandidates(categoryCandidates(category, totals, minimum), category.direction, 1))
                pages.leading.insert({category.key, totals[entry.candidate.source].playerId});
        }
    }
}

// What the players have towards a qualifier in one stat type, by PlayerID.
std::unordered_map<std::int64_t, Counter> amountsById(const std::vector<StatLine>& lines,
                                                      const std::string& statType, Qualifier qualifier) {
    std::unordered_map<std::int64_t, Counter> byId;
    if (qualifier == Qualifier::None) return byId;
    for (const PlayerTotal& total : seasonTotals(lines, statType))
        byId.emplace(total.playerId, amountFor(qualifier, total.counters));
    return byId;
}

// The lines of a stat type (and of one team, when given), by player, team and position.
std::vector<const StatLine*> linesOf(const std::vector<StatLine>& lines, const std::string& statType,
                                     std::optional<std::int64_t> teamId) {
    std::vector<const StatLine*> chosen;
    for (const StatLine& line : lines)
        if ((!teamId || line.teamId == *teamId) && line.statType == statType) chosen.push_back(&line);
    std::stable_sort(chosen.begin(), chosen.end(), [](const StatLine* a, const StatLine* b) {
        if (a->player != b->player) return a->player < b->player;
        if (a->team != b->team) return a->team < b->team;
        return a->position < b->position;
    });
    return chosen;
}

std::string lastNameKey(const std::string& rowName) {
    std::string key;
    for (char c : rowName)
        key += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return key;
}

} // namespace boxloom::site::pages
