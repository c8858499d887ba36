#include "players.h"

#include "exact_ratios.h"
#include "urls.h"

#include <algorithm>
#include <set>
#include <unordered_map>

namespace boxloom::site {

namespace {

void addLines(std::map<PlayerKey, Player>& players,
              std::map<std::int64_t, std::vector<std::string>>& namesById, std::size_t season,
              const std::vector<StatLine>& lines, std::vector<PlayerLine> Player::*list) {
    for (const StatLine& line : lines) {
        if (!line.hasPlayer) continue;
        const PlayerKey key{line.playerId, line.player};
        auto [found, added] = players.try_emplace(key);
        if (added) {
            found->second.key = key;
            std::vector<std::string>& names = namesById[key.id];
            names.push_back(key.name);
            found->second.page = urls::playerPageName(key.id, names.size());
        }
        (found->second.*list).push_back({season, &line});
    }
}

} // namespace

const Player* Players::find(std::int64_t id, std::string_view name) const {
    const auto found = byId.find(id);
    if (found == byId.end()) return nullptr;
    for (const Player* player : found->second)
        if (player->key.name == name) return player;
    return nullptr;
}

Players collectPlayers(const std::vector<SeasonData>& seasons) {
    Players players;
    std::map<std::int64_t, std::vector<std::string>> namesById;
    for (std::size_t s = 0; s < seasons.size(); ++s) {
        addLines(players.byKey, namesById, s, seasons[s].batting, &Player::batting);
        addLines(players.byKey, namesById, s, seasons[s].pitching, &Player::pitching);
        addLines(players.byKey, namesById, s, seasons[s].fielding, &Player::fielding);
    }
    for (const auto& [id, names] : namesById)
        if (names.size() > 1) players.toCheck.push_back(id);
    for (const auto& [key, player] : players.byKey)
        players.byId[key.id].push_back(&player);
    return players;
}

std::string seasonSpan(const std::vector<SeasonData>& seasons, const Player& player) {
    std::set<std::size_t> indexes;
    for (const auto* lines : {&player.batting, &player.pitching, &player.fielding})
        for (const PlayerLine& line : *lines)
            indexes.insert(line.season);
    if (indexes.empty()) return {};
    const std::string& first = seasons[*indexes.begin()].label;
    const std::string& last = seasons[*indexes.rbegin()].label;
    return first == last ? first : first + "–" + last;
}

std::vector<std::string> identityConflicts(const Players& players, const std::vector<SeasonData>& seasons) {
    std::vector<std::string> lines;
    for (std::int64_t id : players.toCheck) {
        std::string line = "PlayerID " + std::to_string(id) +
                           " comes with more than one name, kept apart as "
                           "different players:";
        const auto found = players.byId.find(id);
        if (found == players.byId.end()) continue;
        const char* separator = " ";
        for (const Player* player : found->second) {
            line += separator + displayName(player->key.name) + " (" + seasonSpan(seasons, *player) + ")";
            separator = ", ";
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<PlayerTotal> seasonTotals(const std::vector<StatLine>& lines, std::string_view statType,
                                      std::string_view position, std::optional<std::int64_t> teamId) {
    std::vector<PlayerTotal> totals;
    std::unordered_map<std::int64_t, std::size_t> indexById;
    for (const StatLine& line : lines) {
        if (!line.hasPlayer || (teamId && line.teamId != *teamId) || line.statType != statType ||
            (!position.empty() && line.position != position))
            continue;
        auto [found, added] = indexById.try_emplace(line.playerId, totals.size());
        if (added) totals.push_back({line.playerId, line.player, line.team, false, {}});
        PlayerTotal& total = totals[found->second];
        if (line.team != total.team) total.severalTeams = true;
        addCounters(total.counters, line.counters);
    }
    return totals;
}

std::string displayName(std::string_view rowName) {
    const std::size_t comma = rowName.find(',');
    if (comma == std::string_view::npos) return std::string(rowName);
    std::string_view first = rowName.substr(comma + 1);
    while (!first.empty() && first.front() == ' ')
        first.remove_prefix(1);
    if (first.empty()) return std::string(rowName.substr(0, comma));
    return std::string(first) + " " + std::string(rowName.substr(0, comma));
}

} // namespace boxloom::site
