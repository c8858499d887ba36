#pragma once

// One side of a demo game as it goes: who bats and fields, who is left in the
// bullpen and on the bench, and the pitcher's work so far; and the manager's
// pitching changes.

#include "demo_game.h"

#include <algorithm>
#include <array>
#include <vector>

namespace boxloom::demo {

struct Runner {
    int person = -1;
    int pitcher = -1; // the pitcher charged if he scores
    bool earned = true;
    bool on() const { return person >= 0; }
};

struct Side {
    explicit Side(const Lineup& lineup)
        : team(lineup.team), order(lineup.order), fielders(lineup.fielders),
          startingFielders(lineup.fielders), bench(lineup.bench), closer(lineup.closer), setup(lineup.setup),
          middle(lineup.middle), starter(lineup.fielders[kP]), pitcher(starter),
          starterBatters(lineup.starterBatters) {
        entered.assign(order.begin(), order.end());
        pitchers.push_back(starter);
    }

    int team;
    std::array<int, 9> order;
    std::array<int, kFieldPositions> fielders;
    std::array<int, kFieldPositions> startingFielders;
    std::vector<int> bench;
    int closer;
    std::vector<int> setup;
    std::vector<int> middle;
    int starter;
    int pitcher;
    int starterBatters;

    std::vector<int> entered;  // everyone who played, once each
    std::vector<int> pitchers; // in order of appearance
    int next = 0;              // the batting order's next slot
    int runs = 0;
    int stintBatters = 0;
    int stintOuts = 0;
    int starterOuts = 0;
    int starterRuns = 0;
    bool pitcherOut = false; // pinch-hit for: a new pitcher takes the mound
    int winPitcher = -1;     // pitcher of record when this side last took the lead
    int losePitcher = -1;    // pitcher charged when the other side last took the lead
    int winningRbi = -1;     // batter who last put this side ahead
};

inline void addOnce(std::vector<int>& list, int person) {
    if (std::find(list.begin(), list.end(), person) == list.end()) list.push_back(person);
}

// The first of a pool, taken out of it; -1 when it is empty.
int takeFirst(std::vector<int>& pool);

// Brings in a reliever when the pitcher is tired or the closer's inning has
// come, with the side `lead` runs ahead (behind when negative) in `inning`.
void makePitchingChange(Side& defense, int inning, int lead, bool startOfInning);

} // namespace boxloom::demo
