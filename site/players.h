#pragma once

// Players across seasons and their totals. A player is the same player in two
// seasons when both PlayerID and name match; a PlayerID that comes with
// another name is kept apart, and the commissioner is told.

#include "league_data.h"

#include <compare>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace boxloom::site {

// "Last,First" as "First Last".
std::string displayName(std::string_view rowName);

struct PlayerKey {
    std::int64_t id = 0;
    std::string name;
    auto operator<=>(const PlayerKey&) const = default;
};

struct PlayerLine {
    std::size_t season = 0; // index into the seasons
    const StatLine* line = nullptr;
};

struct Player {
    PlayerKey key;
    std::string page; // "17.html", "17-2.html" for a second name under id 17
    std::vector<PlayerLine> batting;
    std::vector<PlayerLine> pitching;
    std::vector<PlayerLine> fielding;
};

struct Players {
    Players() = default;
    // byId points into byKey: moving keeps the map's nodes, copying would not.
    Players(const Players&) = delete;
    Players& operator=(const Players&) = delete;
    Players(Players&&) = default;
    Players& operator=(Players&&) = default;

    std::map<PlayerKey, Player> byKey;
    // The players of each PlayerID, to find one without copying his name.
    std::unordered_map<std::int64_t, std::vector<const Player*>> byId;
    // PlayerIDs that come with more than one name, in id order.
    std::vector<std::int64_t> toCheck;
    const Player* find(std::int64_t id, std::string_view name) const;
};

Players collectPlayers(const std::vector<SeasonData>& seasons);

// "2031" or "2031–2035": the labels of the first and last season he played.
std::string seasonSpan(const std::vector<SeasonData>& seasons, const Player& player);

// One line for each PlayerID that comes with more than one name, each name with
// its seasons: for the commissioner to check, never on a page.
std::vector<std::string> identityConflicts(const Players& players, const std::vector<SeasonData>& seasons);

// One player's lines of a season summed, per player, in the order they first show.
struct PlayerTotal {
    std::int64_t playerId = 0;
    std::string_view player; // views the lines' texts, which outlive it
    std::string_view team;   // the first team; "" for a career, which has none
    bool severalTeams = false;
    Counters counters;
    std::string teamText() const { return severalTeams ? "TOT" : std::string(team); }
};

// The totals of the lines of a stat type (and position, for fielding; and
// team, for a team's page).
std::vector<PlayerTotal> seasonTotals(const std::vector<StatLine>& lines, std::string_view statType,
                                      std::string_view position = {},
                                      std::optional<std::int64_t> teamId = std::nullopt);

} // namespace boxloom::site
