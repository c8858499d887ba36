#pragma once

// One season of one league: thirty pre-season games, a 162-game schedule with
// injuries and trades at the deadline, and the play-offs of the best eight.

#include "demo_game.h"
#include "demo_roster.h"

#include <vector>

namespace boxloom::demo {

inline constexpr int kLeagueTeams = 30;
inline constexpr int kRegularGames = 162;
inline constexpr int kPreSeasonGames = 30;
inline constexpr int kTradeDeadline = 100; // games into the regular season

// Two players who change teams at the deadline.
struct Trade {
    int first = 0;
    int second = 0;
};

// The people's side of a season, the same in every copy of a league.
struct SeasonPlan {
    int year = 0;
    std::vector<TeamPlan> teams; // team i + 1 at index i
    std::vector<Trade> trades;
};

// Plays the season and returns every line of it; `luck` decides the games.
LineBook playSeason(const std::vector<Person>& people, const SeasonPlan& plan, Random& luck);

} // namespace boxloom::demo
