#include "demo_roster.h"

#include "league_files.h"

#include <algorithm>

namespace boxloom::demo {

namespace {

enum class Group { Catcher, Infield, Outfield };

Group groupOf(int position) {
    if (position == kC) return Group::Catcher;
    return position >= kLF ? Group::Outfield : Group::Infield;
}

// Best first; ties by player, so that the order never depends on the sort.
template <class Value> void sortBy(std::vector<int>& ids, Value value) {
    std::sort(ids.begin(), ids.end(), [&](int a, int b) {
        const int va = value(a), vb = value(b);
        return va != vb ? va > vb : a < b;
    });
}

void planPitchers(TeamPlan& plan, const std::vector<Person>& people, std::vector<int> pitchers) {
    auto starterValue = [&](int id) {
        return pitchingValue(people[static_cast<std::size_t>(id)]) +
               2 * people[static_cast<std::size_t>(id)].pitching.stamina;
    };
    auto reliefValue = [&](int id) { return pitchingValue(people[static_cast<std::size_t>(id)]); };
    sortBy(pitchers, starterValue);
    plan.rotation = pitchers;
    std::vector<int> others(pitchers.begin() + std::min<std::ptrdiff_t>(kRotationSize, pitchers.size()),
                            pitchers.end());
    sortBy(others, reliefValue);
    plan.bullpen = others;
}

// The three weakest regulars who bat from one side share their position with
// the next man on the depth chart; catchers are rested instead.
void planPlatoons(TeamPlan& plan, const std::vector<Person>& people) {
    constexpr std::size_t kPlatoons = 3;
    auto at = [&](int id) -> const Person& { return people[static_cast<std::size_t>(id)]; };
    std::vector<int> positions;
    for (int position = k1B; position < kFieldPositions; ++position) {
        const auto& depth = plan.depth[static_cast<std::size_t>(position)];
        if (depth.size() > 1 && at(depth[0]).bats != Hand::Switch) positions.push_back(position);
    }
    sortBy(positions, [&](int position) {
        return -offenseValue(at(plan.depth[static_cast<std::size_t>(position)][0]));
    });
    if (positions.size() > kPlatoons) positions.resize(kPlatoons);
    plan.platoon = positions;
}

} // namespace

bool covers(const Person& person, int position) {
    return person.kind == kPositionPlayer && groupOf(person.position) == groupOf(position);
}

void TeamPlan::replace(int outgoing, int incoming) {
    auto swapIn = [&](std::vector<int>& list) { std::replace(list.begin(), list.end(), outgoing, incoming); };
    for (auto& list : depth)
        swapIn(list);
    swapIn(rotation);
    swapIn(bullpen);
    swapIn(bench);
}

TeamPlan planTeam(int team, const std::vector<Person>& people, const std::vector<int>& members) {
    TeamPlan plan;
    plan.team = team;
    std::vector<int> pitchers, hitters;
    for (int id : members)
        (people[static_cast<std::size_t>(id)].kind == kPitcher ? pitchers : hitters).push_back(id);
    planPitchers(plan, people, pitchers);
    auto offense = [&](int id) { return offenseValue(people[static_cast<std::size_t>(id)]); };
    sortBy(hitters, offense);
    for (int position = kC; position < kFieldPositions; ++position) {
        auto& depth = plan.depth[static_cast<std::size_t>(position)];
        for (int id : hitters)
            if (people[static_cast<std::size_t>(id)].position == position) depth.push_back(id);
        for (int id : hitters)
            if (people[static_cast<std::size_t>(id)].position != position &&
                covers(people[static_cast<std::size_t>(id)], position))
                depth.push_back(id);
    }
    for (int id : hitters) {
        bool regular = false;
        for (int position = kC; position < kFieldPositions; ++position) {
            const auto& depth = plan.depth[static_cast<std::size_t>(position)];
            regular = regular || (!depth.empty() && depth.front() == id);
        }
        if (!regular) plan.bench.push_back(id);
    }
    planPlatoons(plan, people);
    return plan;
}

} // namespace boxloom::demo
