#include "demo_league.h"

#include "league_files.h"

#include <algorithm>
#include <numeric>

namespace boxloom::demo {

namespace {

constexpr int kFreeAgentPercent = 6;

int kindAt(int position) { return position == kP ? kPitcher : kPositionPlayer; }

// Roster slots that a trade may swap between two teams.
enum class Slot { Regular, Rotation, Bullpen, Bench };

} // namespace

DemoLeague::DemoLeague(std::uint64_t seed, int firstYear) : random_(seed), nextYear_(firstYear) {}

const SeasonPlan& DemoLeague::nextSeason() {
    if (started_)
        offSeason();
    else
        foundLeague();
    started_ = true;
    season_.year = nextYear_++;
    season_.teams.clear();
    for (int team = 1; team <= kLeagueTeams; ++team)
        season_.teams.push_back(planTeam(team, people_, members(team)));
    chooseTrades();
    return season_;
}

std::vector<int> DemoLeague::members(int team) const {
    std::vector<int> ids;
    for (const Person& person : people_)
        if (person.team == team) ids.push_back(person.id);
    return ids;
}

void DemoLeague::foundLeague() {
    for (int team = 1; team <= kLeagueTeams; ++team)
        for (int position = kP; position < kFieldPositions; ++position)
            for (int n = 0; n < kRosterNeeds[static_cast<std::size_t>(position)]; ++n) {
                const int age = std::clamp(random_.bell(28, 12), 21, 38);
                Person person = makePerson(random_, names_, static_cast<int>(people_.size()),
                                           kindAt(position), position, age, 0);
                person.drift = random_.bell(0, 12);
                person.team = team;
                people_.push_back(person);
            }
}

void DemoLeague::offSeason() {
    for (const Trade& trade : season_.trades)
        std::swap(people_[static_cast<std::size_t>(trade.first)].team,
                  people_[static_cast<std::size_t>(trade.second)].team);
    for (Person& person : people_) {
        if (person.retired) continue;
        ageOneYear(random_, person);
        if (person.team == 0 || retiresNow(random_, person)) {
            person.retired = true;
            person.team = 0;
        } else if (random_.between(0, 99) < kFreeAgentPercent) {
            person.team = -1; // on the market
        }
    }
    fillRosters();
    // Whoever found no team retires.
    for (Person& person : people_)
        if (person.team == -1) {
            person.team = 0;
            person.retired = true;
        }
}

void DemoLeague::fillRosters() {
    std::vector<int> order(kLeagueTeams);
    std::iota(order.begin(), order.end(), 1);
    for (std::size_t i = order.size() - 1; i > 0; --i)
        std::swap(order[i], order[static_cast<std::size_t>(random_.between(0, static_cast<int>(i)))]);
    for (int team : order) {
        std::array<int, kFieldPositions> have{};
        for (const Person& person : people_)
            if (person.team == team) ++have[static_cast<std::size_t>(person.position)];
        for (int position = kP; position < kFieldPositions; ++position)
            for (int n = have[static_cast<std::size_t>(position)];
                 n < kRosterNeeds[static_cast<std::size_t>(position)]; ++n) {
                // The best free agent who plays there, else a rookie.
                int best = -1;
                for (const Person& person : people_)
                    if (person.team == -1 && person.position == position &&
                        (best < 0 || offenseValue(person) + pitchingValue(person) >
                                         offenseValue(people_[static_cast<std::size_t>(best)]) +
                                             pitchingValue(people_[static_cast<std::size_t>(best)])))
                        best = person.id;
                if (best >= 0) {
                    people_[static_cast<std::size_t>(best)].team = team;
                    continue;
                }
                Person rookie = makePerson(random_, names_, static_cast<int>(people_.size()),
                                           kindAt(position), position, random_.between(21, 24), -5);
                rookie.team = team;
                people_.push_back(rookie);
            }
    }
}

void DemoLeague::chooseTrades() {
    season_.trades.clear();
    std::vector<bool> traded(people_.size(), false);
    const int wanted = random_.between(30, 40);
    auto slotOf = [&](const TeamPlan& plan, Slot slot, int index) -> int {
        switch (slot) {
        case Slot::Regular: return plan.depth[static_cast<std::size_t>(kC + index % 8)].front();
        case Slot::Rotation: return plan.rotation[static_cast<std::size_t>(index % kRotationSize)];
        case Slot::Bullpen: return plan.bullpen[static_cast<std::size_t>(index % kBullpenSize)];
        case Slot::Bench: return plan.bench[static_cast<std::size_t>(index % kBenchSize)];
        }
        return -1;
    };
    for (int tries = 0; tries < 20 * wanted && static_cast<int>(season_.trades.size()) < wanted; ++tries) {
        const int firstTeam = random_.between(1, kLeagueTeams);
        const int secondTeam = random_.between(1, kLeagueTeams);
        const Slot slot = static_cast<Slot>(random_.between(0, 3));
        const int index = random_.between(0, 7);
        if (firstTeam == secondTeam) continue;
        const int first = slotOf(season_.teams[static_cast<std::size_t>(firstTeam - 1)], slot, index);
        const int second = slotOf(season_.teams[static_cast<std::size_t>(secondTeam - 1)], slot, index);
        const Person& a = people_[static_cast<std::size_t>(first)];
        const Person& b = people_[static_cast<std::size_t>(second)];
        if (traded[static_cast<std::size_t>(first)] || traded[static_cast<std::size_t>(second)] ||
            a.position != b.position)
            continue;
        traded[static_cast<std::size_t>(first)] = traded[static_cast<std::size_t>(second)] = true;
        season_.trades.push_back({first, second});
    }
}

} // namespace boxloom::demo
