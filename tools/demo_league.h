#pragma once

// The demo league across seasons: the same thirty teams, players who age,
// retire and move, rookies who take their places.

#include "demo_season_sim.h"

#include <vector>

namespace boxloom::demo {

class DemoLeague {
public:
    DemoLeague(std::uint64_t seed, int firstYear);

    // The next season's plan: the first from nothing, each later one after an off-season.
    const SeasonPlan& nextSeason();

    const std::vector<Person>& people() const { return people_; }
    const SeasonPlan& season() const { return season_; }

private:
    void foundLeague();
    void offSeason();
    void fillRosters();
    void chooseTrades();
    std::vector<int> members(int team) const;

    Random random_; // the people's own stream: never touched by the games
    NameBook names_;
    std::vector<Person> people_;
    SeasonPlan season_;
    int nextYear_;
    bool started_ = false;
};

} // namespace boxloom::demo
