#include "demo_season_sim.h"

#include "league_files.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace boxloom::demo {

namespace {

struct PhaseRules {
    int statType = 0;
    int restChance = 0; // a regular's day off, per ten thousand
    int catcherRest = 0;
    int rotationSize = kRotationSize;
    int starterShorter = 0; // batters fewer than a starter's usual
    bool injuries = false;
};

constexpr PhaseRules kPreSeason{code(StatType::PreSeason), 4500, 5000, 8, 8, false};
constexpr PhaseRules kRegular{code(StatType::Regular), 500, 3000, kRotationSize, 0, true};

// After a start, the chance (per ten thousand) that each slot of the rotation
// loses his place for a few turns (a sore arm, a demotion): the top starters
// make 30 to 34 starts, the back of the rotation and the spares share the rest.
constexpr std::array<int, kRotationSize> kSetAsideChance = {30, 150, 650, 900, 1200};

struct Standing {
    int team = 0;
    int wins = 0;
    int runDifference = 0;
};

class SeasonSim {
public:
    SeasonSim(const std::vector<Person>& people, const SeasonPlan& plan, Random& luck)
        : people_(people), plan_(plan), luck_(luck), players_(people.size()) {
        for (const Person& person : people) {
            PlayerState& state = players_[static_cast<std::size_t>(person.id)];
            state.team = person.team;
            state.batter = {currentBatting(person), person.bats, person.kind == kPitcher};
            state.pitcher = {currentPitching(person), person.throws};
            state.offense = offenseValue(person);
        }
    }

    LineBook run() {
        playPhase(kPreSeason, kPreSeasonGames, nullptr);
        std::vector<Standing> standings(kLeagueTeams);
        for (int team = 1; team <= kLeagueTeams; ++team)
            standings[static_cast<std::size_t>(team - 1)].team = team;
        playPhase(kRegular, kRegularGames, &standings);
        playOffs(standings);
        return std::move(book_);
    }

private:
    const Person& person(int id) const { return people_[static_cast<std::size_t>(id)]; }
    PlayerState& state(int id) { return players_[static_cast<std::size_t>(id)]; }
    int offense(int id) const { return players_[static_cast<std::size_t>(id)].offense; }
    TeamPlan& plan(int team) { return plan_.teams[static_cast<std::size_t>(team - 1)]; }

    void startPhase(const PhaseRules& rules) {
        rules_ = rules;
        for (PlayerState& player : players_)
            player.line = nullptr;
        gamesPlayed_.assign(kLeagueTeams + 1, 0);
    }

    // Every team plays once a day against a team drawn for it.
    void playPhase(const PhaseRules& rules, int days, std::vector<Standing>* standings) {
        startPhase(rules);
        std::vector<int> teams(kLeagueTeams);
        std::iota(teams.begin(), teams.end(), 1);
        for (int day = 0; day < days; ++day, ++day_) {
            if (standings != nullptr && day == kTradeDeadline) makeTrades();
            shuffle(teams);
            for (std::size_t i = 0; i + 1 < teams.size(); i += 2) {
                const GameResult result = play(teams[i], teams[i + 1]);
                if (standings != nullptr) record(*standings, result);
            }
        }
    }

    void shuffle(std::vector<int>& teams) {
        for (std::size_t i = teams.size() - 1; i > 0; --i)
            std::swap(teams[i], teams[static_cast<std::size_t>(luck_.between(0, static_cast<int>(i)))]);
    }

    static void record(std::vector<Standing>& standings, const GameResult& result) {
        Standing& winner = standings[static_cast<std::size_t>(result.winner - 1)];
        Standing& loser = standings[static_cast<std::size_t>(result.loser - 1)];
        ++winner.wins;
        winner.runDifference += result.winnerRuns - result.loserRuns;
        loser.runDifference -= result.winnerRuns - result.loserRuns;
    }

    GameResult play(int away, int home) {
        const int awayStarter = startingPitcher(plan(away));
        const int homeStarter = startingPitcher(plan(home));
        const Lineup visitors = lineup(away, awayStarter, person(homeStarter).throws);
        const Lineup hosts = lineup(home, homeStarter, person(awayStarter).throws);
        GameContext context{luck_, players_, book_, rules_.statType, day_};
        const GameResult result = playGame(context, visitors, hosts);
        ++gamesPlayed_[static_cast<std::size_t>(away)];
        ++gamesPlayed_[static_cast<std::size_t>(home)];
        if (rules_.injuries) {
            injure(visitors);
            injure(hosts);
            setAside(plan(away), awayStarter);
            setAside(plan(home), homeStarter);
        }
        return result;
    }

    // --- the manager's card

    bool available(int id, int team) const {
        const PlayerState& player = players_[static_cast<std::size_t>(id)];
        return player.team == team && player.injuredUntil < day_;
    }
    bool rested(int id, int days) const {
        return players_[static_cast<std::size_t>(id)].lastPitched < day_ - days;
    }

    Lineup lineup(int team, int starter, Hand opposingThrows) {
        TeamPlan& card = plan(team);
        Lineup lineup;
        lineup.team = team;
        lineup.fielders[kP] = starter;
        std::vector<int> chosen{starter};
        for (int position = kC; position < kFieldPositions; ++position)
            lineup.fielders[static_cast<std::size_t>(position)] =
                fielderAt(card, position, platoonSits(card, position, opposingThrows), chosen);
        battingOrder(lineup);
        for (int id : card.bench)
            if (available(id, team) && std::find(chosen.begin(), chosen.end(), id) == chosen.end())
                lineup.bench.push_back(id);
        bullpen(card, lineup, starter);
        const int stamina = person(starter).pitching.stamina;
        lineup.starterBatters = 25 + stamina / 10 + luck_.between(-3, 3) - rules_.starterShorter;
        return lineup;
    }

    int startingPitcher(const TeamPlan& card) {
        const int team = card.team;
        const std::size_t turn =
            static_cast<std::size_t>(gamesPlayed_[static_cast<std::size_t>(team)] % rules_.rotationSize);
        // A starter takes his turn on full rest, even one just traded.
        const int rest = rules_.rotationSize - 1;
        if (turn < card.rotation.size() && available(card.rotation[turn], team) &&
            rested(card.rotation[turn], rest))
            return card.rotation[turn];
        for (std::size_t i = static_cast<std::size_t>(rules_.rotationSize); i < card.rotation.size(); ++i)
            if (available(card.rotation[i], team) && rested(card.rotation[i], 3)) return card.rotation[i];
        // Nobody rested: a bullpen game, opened by the least of the staff.
        for (auto id = card.rotation.rbegin(); id != card.rotation.rend(); ++id)
            if (available(*id, team) && rested(*id, 0)) return *id;
        return card.rotation[turn % card.rotation.size()];
    }

    // A platooned regular mostly sits against a pitcher of his own hand and
    // now and then against the others: a third of his team's games.
    bool platoonSits(const TeamPlan& card, int position, Hand opposingThrows) {
        if (!rules_.injuries) return false; // only the regular season has a manager's card
        const bool platooned =
            std::find(card.platoon.begin(), card.platoon.end(), position) != card.platoon.end();
        const auto& depth = card.depth[static_cast<std::size_t>(position)];
        if (!platooned || depth.empty()) return false;
        return luck_.chance(person(depth.front()).bats == opposingThrows ? 5000 : 1200);
    }

    void setAside(const TeamPlan& card, int starter) {
        const auto slot =
            std::find(card.rotation.begin(), card.rotation.end(), starter) - card.rotation.begin();
        if (slot >= kRotationSize || !luck_.chance(kSetAsideChance[static_cast<std::size_t>(slot)])) return;
        PlayerState& pitcher = state(starter);
        pitcher.injuredUntil = std::max(pitcher.injuredUntil, day_ + luck_.between(10, 35));
    }

    int fielderAt(const TeamPlan& card, int position, bool regularSits, std::vector<int>& chosen) {
        const auto& depth = card.depth[static_cast<std::size_t>(position)];
        const int rest = position == kC ? rules_.catcherRest : rules_.restChance;
        const bool regularRests = regularSits || luck_.chance(rest);
        for (std::size_t i = 0; i < depth.size(); ++i) {
            const int id = depth[i];
            if (i == 0 && regularRests) continue;
            if (!available(id, card.team) || std::find(chosen.begin(), chosen.end(), id) != chosen.end())
                continue;
            chosen.push_back(id);
            return id;
        }
        // Everyone who can play there is hurt: anybody healthy, else the regular plays hurt.
        for (int id : card.bench)
            if (available(id, card.team) && std::find(chosen.begin(), chosen.end(), id) == chosen.end()) {
                chosen.push_back(id);
                return id;
            }
        chosen.push_back(depth.front());
        return depth.front();
    }

    // The best hitters third and fourth, the next ones around them, the pitcher last.
    void battingOrder(Lineup& lineup) const {
        std::vector<int> hitters(lineup.fielders.begin() + kC, lineup.fielders.end());
        std::stable_sort(hitters.begin(), hitters.end(),
                         [&](int a, int b) { return offense(a) > offense(b); });
        constexpr std::array<std::size_t, 8> kSlotOfRank = {2, 3, 1, 0, 4, 5, 6, 7};
        for (std::size_t rank = 0; rank < hitters.size(); ++rank)
            lineup.order[kSlotOfRank[rank]] = hitters[rank];
        lineup.order[kPitcherSlot] = lineup.fielders[kP];
    }

    void bullpen(const TeamPlan& card, Lineup& lineup, int starter) {
        auto ready = [&](int id) {
            return id != starter && available(id, card.team) && rested(id, 1) && person(id).kind == kPitcher;
        };
        for (std::size_t i = 0; i < card.bullpen.size(); ++i) {
            const int id = card.bullpen[i];
            if (!ready(id)) continue;
            if (i == 0)
                lineup.closer = id;
            else if (i < 3)
                lineup.setup.push_back(id);
            else
                lineup.middle.push_back(id);
        }
        // In the spring the spare starters throw in relief too.
        if (rules_.statType == code(StatType::PreSeason))
            for (std::size_t i = kRotationSize; i < card.rotation.size(); ++i)
                if (ready(card.rotation[i]) && std::find(lineup.middle.begin(), lineup.middle.end(),
                                                         card.rotation[i]) == lineup.middle.end())
                    lineup.middle.push_back(card.rotation[i]);
    }

    void injure(const Lineup& lineup) {
        for (int id : lineup.fielders)
            if (luck_.chance(person(id).kind == kPitcher ? 30 : 16))
                state(id).injuredUntil = day_ + luck_.between(7, 45);
    }

    // --- the deadline and the play-offs

    void makeTrades() {
        for (const Trade& trade : plan_.trades) {
            const int firstTeam = state(trade.first).team;
            const int secondTeam = state(trade.second).team;
            plan(firstTeam).replace(trade.first, trade.second);
            plan(secondTeam).replace(trade.second, trade.first);
            state(trade.first).team = secondTeam;
            state(trade.second).team = firstTeam;
            state(trade.first).line = state(trade.second).line = nullptr;
        }
    }

    void playOffs(std::vector<Standing> standings) {
        std::sort(standings.begin(), standings.end(), [](const Standing& a, const Standing& b) {
            if (a.wins != b.wins) return a.wins > b.wins;
            if (a.runDifference != b.runDifference) return a.runDifference > b.runDifference;
            return a.team < b.team;
        });
        std::vector<int> seeds;
        for (std::size_t i = 0; i < 8; ++i)
            seeds.push_back(standings[i].team);
        seeds = playRound(code(StatType::Dcs), seeds, 3);
        seeds = playRound(code(StatType::Lcs), seeds, 4);
        playRound(code(StatType::Ws), seeds, 4);
    }

    // Best seed against worst; returns the winners, best seed first.
    std::vector<int> playRound(int statType, const std::vector<int>& seeds, int winsNeeded) {
        startPhase({statType, 0, 0, 4, 0, false});
        const int firstDay = day_;
        std::vector<int> winners;
        for (std::size_t i = 0; i < seeds.size() / 2; ++i) {
            day_ = firstDay;
            winners.push_back(playSeries(seeds[i], seeds[seeds.size() - 1 - i], winsNeeded));
        }
        day_ = firstDay + 2 * winsNeeded;
        // Winners keep their seeding order: the best seed left meets the worst.
        std::vector<int> ordered;
        for (int seed : seeds)
            if (std::find(winners.begin(), winners.end(), seed) != winners.end()) ordered.push_back(seed);
        return ordered;
    }

    int playSeries(int higher, int lower, int winsNeeded) {
        int higherWins = 0, lowerWins = 0;
        for (int game = 0; higherWins < winsNeeded && lowerWins < winsNeeded; ++game, ++day_) {
            const bool higherHome = game % 2 == 0;
            const GameResult result = higherHome ? play(lower, higher) : play(higher, lower);
            (result.winner == higher ? higherWins : lowerWins) += 1;
        }
        return higherWins == winsNeeded ? higher : lower;
    }

    const std::vector<Person>& people_;
    SeasonPlan plan_; // a copy: trades change it
    Random& luck_;
    std::vector<PlayerState> players_;
    LineBook book_;
    PhaseRules rules_;
    std::vector<int> gamesPlayed_;
    int day_ = 0;
};

} // namespace

LineBook playSeason(const std::vector<Person>& people, const SeasonPlan& plan, Random& luck) {
    return SeasonSim(people, plan, luck).run();
}

} // namespace boxloom::demo
