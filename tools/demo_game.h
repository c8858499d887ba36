#pragma once

// One game, plate appearance by plate appearance: base running, pitching
// changes, pinch hitters, decisions; every event is added to the players' lines.

#include "demo_plate.h"
#include "demo_stat_line.h"

#include <array>
#include <vector>

namespace boxloom::demo {

// A player's state within one league's season.
struct PlayerState {
    int team = 0;
    StatLine* line = nullptr; // his line for his team in the phase being played
    int injuredUntil = -1;    // the last day he misses
    int lastPitched = -100;
    BatterView batter;
    PitcherView pitcher;
    int offense = 0; // offenseValue, worked out once a season
};

struct GameContext {
    Random& luck;
    std::vector<PlayerState>& players;
    LineBook& book;
    int statType = 0;
    int day = 0;

    StatLine& line(int person) {
        PlayerState& state = players[static_cast<std::size_t>(person)];
        if (state.line == nullptr) state.line = &book.open(person, state.team, statType);
        return *state.line;
    }
};

inline constexpr int kPitcherSlot = 8; // the pitcher bats ninth

// One team's side of a game as its manager set it.
struct Lineup {
    int team = 0;
    std::array<int, 9> order{};                  // batting order
    std::array<int, kFieldPositions> fielders{}; // by position, the starting pitcher at kP
    std::vector<int> bench;                      // pinch hitters, best first
    int closer = -1;                             // -1 when he may not pitch today
    std::vector<int> setup;
    std::vector<int> middle;
    int starterBatters = 25; // batters the starter faces before he tires
};

struct GameResult {
    int winner = 0; // team numbers
    int loser = 0;
    int winnerRuns = 0;
    int loserRuns = 0;
};

GameResult playGame(GameContext& context, const Lineup& away, const Lineup& home);

} // namespace boxloom::demo
