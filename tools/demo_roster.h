#pragma once

// A team's depth for one season: who plays each position, the rotation, the
// bullpen and the bench, best first.

#include "demo_people.h"

#include <array>
#include <vector>

namespace boxloom::demo {

inline constexpr int kRotationSize = 5;
inline constexpr int kBullpenSize = 8;
inline constexpr int kBenchSize = 5;

// Players a team carries at each position (its pitchers at kP).
inline constexpr std::array<int, kFieldPositions> kRosterNeeds = {20, 3, 2, 2, 2, 3, 2, 3, 2};

struct TeamPlan {
    int team = 0;
    std::array<std::vector<int>, kFieldPositions> depth; // C to RF; the first is the regular
    std::vector<int> rotation;                           // five starters, then the spare starters
    std::vector<int> bullpen; // the closer, two set-up men, the rest, then the spares
    std::vector<int> bench;   // position players who are not regulars, best hitters first
    std::vector<int> platoon; // positions whose regular shares with a backup who bats from the other side

    // Puts `incoming` wherever `outgoing` stood: a trade.
    void replace(int outgoing, int incoming);
};

// The depth of a team from its members (indexes into `people`).
TeamPlan planTeam(int team, const std::vector<Person>& people, const std::vector<int>& members);

// Positions a player can fill besides his own, in the same group.
bool covers(const Person& person, int position);

} // namespace boxloom::demo
