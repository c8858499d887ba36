#include "demo_game.h"

#include "demo_game_side.h"

#include "league_files.h"

#include <algorithm>
#include <utility>

namespace boxloom::demo {

namespace {

// Where balls in play go, weights per position P to RF.
constexpr std::array<int, kFieldPositions> kGroundWeights = {6, 1, 10, 26, 23, 30, 2, 1, 1};
constexpr std::array<int, kFieldPositions> kFlyWeights = {1, 3, 4, 6, 5, 6, 24, 28, 23};
constexpr std::array<int, kFieldPositions> kLineWeights = {2, 2, 10, 14, 12, 14, 15, 16, 15};

int pickFielder(Random& random, const std::array<int, kFieldPositions>& weights) {
    int total = 0;
    for (int weight : weights)
        total += weight;
    int roll = random.between(0, total - 1);
    for (int position = 0; position < kFieldPositions; ++position) {
        roll -= weights[static_cast<std::size_t>(position)];
        if (roll < 0) return position;
    }
    return kSS;
}

class Game {
public:
    Game(GameContext& context, const Lineup& away, const Lineup& home)
        : c_(context), away_(away), home_(home) {}

    GameResult play() {
        for (inning_ = 1;; ++inning_) {
            bottom_ = false;
            halfInning(away_, home_);
            if (inning_ >= 9 && home_.runs > away_.runs) break;
            bottom_ = true;
            halfInning(home_, away_);
            if (inning_ >= 9 && home_.runs != away_.runs) break;
        }
        return finish();
    }

private:
    StatLine& line(int person) { return c_.line(person); }
    const PlayerState& state(int person) const { return c_.players[static_cast<std::size_t>(person)]; }
    bool chance(int per10000) { return c_.luck.chance(per10000); }

    void halfInning(Side& offense, Side& defense) {
        outs_ = 0;
        bases_ = {};
        changePitcher(defense, offense, true);
        while (outs_ < 3) {
            if (bottom_ && inning_ >= 9 && offense.runs > defense.runs) return;
            changePitcher(defense, offense, false);
            tryToSteal(defense);
            if (outs_ >= 3) break;
            plateAppearance(offense, defense);
        }
    }

    void changePitcher(Side& defense, const Side& offense, bool startOfInning) {
        makePitchingChange(defense, inning_, defense.runs - offense.runs, startOfInning);
    }

    // --- outs and runs

    void recordOut(Side& defense, int count = 1) {
        outs_ += count;
        line(defense.pitcher)[StatField::OutsPitched] += count;
        defense.stintOuts += count;
        if (defense.pitcher == defense.starter) defense.starterOuts += count;
    }

    void field(Side& defense, int position, PositionArray what) {
        ++line(defense.fielders[static_cast<std::size_t>(position)]).at(what, position);
    }

    void score(Side& offense, Side& defense, const Runner& runner, int rbiBatter) {
        const bool tookLead = offense.runs == defense.runs;
        ++offense.runs;
        ++line(runner.person)[StatField::Runs];
        StatLine& charged = line(runner.pitcher);
        ++charged[StatField::RunsAllowed];
        if (runner.earned) ++charged[StatField::EarnedRuns];
        if (runner.pitcher == defense.starter) ++defense.starterRuns;
        if (rbiBatter >= 0) {
            const PlayerState& pitcher = state(defense.pitcher);
            creditRunBattedIn(line(rbiBatter), line(defense.pitcher), pitcher.pitcher.throws,
                              battingSide(state(rbiBatter).batter.bats, pitcher.pitcher.throws));
        }
        if (tookLead) {
            offense.winPitcher = offense.pitcher;
            defense.losePitcher = runner.pitcher;
            offense.winningRbi = rbiBatter;
        }
    }

    void scoreFrom(int base, Side& offense, Side& defense, int rbiBatter) {
        Runner& runner = bases_[static_cast<std::size_t>(base)];
        if (!runner.on()) return;
        score(offense, defense, runner, rbiBatter);
        runner = Runner{};
    }

    // --- base running

    // Walks and the like: only forced runners move.
    void forceAdvance(Side& offense, Side& defense, const Runner& batter, int rbiBatter) {
        if (bases_[0].on() && bases_[1].on() && bases_[2].on()) scoreFrom(2, offense, defense, rbiBatter);
        if (bases_[0].on() && bases_[1].on()) bases_[2] = bases_[1];
        if (bases_[0].on()) bases_[1] = bases_[0];
        bases_[0] = batter;
    }

    // Every runner moves up one base.
    void advanceAll(Side& offense, Side& defense, int rbiBatter) {
        scoreFrom(2, offense, defense, rbiBatter);
        bases_[2] = bases_[1];
        bases_[1] = bases_[0];
        bases_[0] = Runner{};
    }

    void single(Side& offense, Side& defense, const Runner& batter) {
        scoreFrom(2, offense, defense, batter.person);
        if (bases_[1].on()) {
            if (chance(6000))
                scoreFrom(1, offense, defense, batter.person);
            else
                bases_[2] = std::exchange(bases_[1], Runner{});
        }
        if (bases_[0].on()) {
            const Runner fromFirst = std::exchange(bases_[0], Runner{});
            if (!bases_[2].on() && chance(2500))
                bases_[2] = fromFirst;
            else
                bases_[1] = fromFirst;
        }
        bases_[0] = batter;
    }

    void extraBases(Side& offense, Side& defense, const Runner& batter, int basesTaken) {
        scoreFrom(2, offense, defense, batter.person);
        scoreFrom(1, offense, defense, batter.person);
        if (bases_[0].on()) {
            if (basesTaken >= 3 || chance(4000))
                scoreFrom(0, offense, defense, batter.person);
            else
                bases_[2] = std::exchange(bases_[0], Runner{});
        }
        if (basesTaken == 4)
            score(offense, defense, batter, batter.person);
        else
            bases_[static_cast<std::size_t>(basesTaken - 1)] = batter;
    }

    // --- the plate appearance

    int nextBatter(Side& offense) {
        const int slot = offense.next;
        offense.next = (offense.next + 1) % 9;
        if (slot == kPitcherSlot && inning_ >= 7 && !offense.bench.empty()) {
            const int hitter = takeFirst(offense.bench);
            offense.order[kPitcherSlot] = hitter;
            offense.pitcherOut = true;
            addOnce(offense.entered, hitter);
        }
        return offense.order[static_cast<std::size_t>(slot)];
    }

    void tryToSteal(Side& defense) {
        if (!bases_[0].on() || bases_[1].on()) return;
        const int speed = state(bases_[0].person).batter.grades.speed;
        if (!chance(std::max(0, 220 + 22 * speed))) return;
        if (chance(std::clamp(6900 + 14 * speed, 4000, 9300))) {
            ++line(bases_[0].person)[StatField::StolenBases];
            bases_[1] = std::exchange(bases_[0], Runner{});
            // Now and then the catcher's throw gets away, and the runner takes third.
            if (!bases_[2].on() && chance(500)) {
                field(defense, kC, PositionArray::Errors);
                bases_[2] = std::exchange(bases_[1], Runner{});
                bases_[2].earned = false;
            }
            return;
        }
        ++line(bases_[0].person)[StatField::CaughtStealing];
        bases_[0] = Runner{};
        field(defense, kC, PositionArray::Assists);
        field(defense, chance(7000) ? kSS : k2B, PositionArray::Putouts);
        recordOut(defense);
    }

    void plateAppearance(Side& offense, Side& defense) {
        const int batter = nextBatter(offense);
        const int pitcher = defense.pitcher;
        ++defense.stintBatters;
        const PlayerState& hitter = state(batter);
        const PitcherView& arm = state(pitcher).pitcher;
        const Hand side = battingSide(hitter.batter.bats, arm.throws);
        auto tally = [&](Scored how) {
            creditPlateAppearance(how, line(batter), line(pitcher), arm.throws, side);
        };
        const Runner runner{batter, pitcher, true};
        if (intentionalWalk(hitter)) {
            tally(Scored::IntentionalWalk);
            forceAdvance(offense, defense, runner, batter);
            return;
        }
        if (sacrificeBunt(hitter)) {
            tally(Scored::SacrificeHit);
            field(defense, chance(5000) ? kP : k3B, PositionArray::Assists);
            field(defense, k1B, PositionArray::Putouts);
            recordOut(defense);
            // The runners move up unless a runner on third would have to run home.
            if (!bases_[2].on()) advanceAll(offense, defense, -1);
            return;
        }
        switch (drawOutcome(c_.luck, hitter.batter, arm)) {
        case Outcome::CatchersInterference:
            tally(Scored::CatchersInterference);
            field(defense, kC, PositionArray::Errors);
            forceAdvance(offense, defense, Runner{batter, pitcher, false}, -1);
            return;
        case Outcome::HitByPitch:
            tally(Scored::HitByPitch);
            forceAdvance(offense, defense, runner, batter);
            return;
        case Outcome::Walk:
            tally(Scored::Walk);
            forceAdvance(offense, defense, runner, batter);
            return;
        case Outcome::Strikeout:
            tally(Scored::Strikeout);
            field(defense, kC, PositionArray::Putouts);
            recordOut(defense);
            return;
        case Outcome::HomeRun: tally(Scored::HomeRun); return extraBases(offense, defense, runner, 4);
        case Outcome::Triple: tally(Scored::Triple); return extraBases(offense, defense, runner, 3);
        case Outcome::Double: tally(Scored::Double); return extraBases(offense, defense, runner, 2);
        case Outcome::Single: tally(Scored::Single); return single(offense, defense, runner);
        default: return ballInPlay(offense, defense, runner, tally);
        }
    }

    bool intentionalWalk(const PlayerState& hitter) {
        if (hitter.batter.isPitcher || bases_[0].on() || !(bases_[1].on() || bases_[2].on())) return false;
        if (outs_ == 2 && inning_ < 7) return false;
        return chance(std::clamp((hitter.batter.grades.power + 20) * 8, 0, 1500));
    }

    // Pitchers bunt runners along; so, now and then, do light-hitting
    // position players with nobody out.
    bool sacrificeBunt(const PlayerState& hitter) {
        if (outs_ >= 2 || !(bases_[0].on() || bases_[1].on())) return false;
        if (hitter.batter.isPitcher) return chance(5500);
        return outs_ == 0 && chance(std::clamp(-4 * hitter.batter.grades.power, 0, 1200));
    }

    template <class Credit>
    void ballInPlay(Side& offense, Side& defense, const Runner& batter, Credit& credit) {
        const int roll = c_.luck.between(0, 9999);
        if (roll < 170)
            return reachOnError(offense, defense, batter, pickFielder(c_.luck, kGroundWeights), credit);
        if (roll < 170 + 4400) return groundBall(offense, defense, batter, credit);
        const bool fly = roll < 170 + 4400 + 3500;
        const int fielder = pickFielder(c_.luck, fly ? kFlyWeights : kLineWeights);
        // A fly or liner an outfielder drops or throws away.
        if (fielder >= kLF && chance(160)) return reachOnError(offense, defense, batter, fielder, credit);
        const bool sacrificeFly = fly && fielder >= kLF && outs_ < 2 && bases_[2].on() && chance(6000);
        credit(sacrificeFly ? Scored::SacrificeFly : Scored::AtBatOut);
        field(defense, fielder, PositionArray::Putouts);
        recordOut(defense);
        if (sacrificeFly) scoreFrom(2, offense, defense, batter.person);
        if (fly && outs_ < 3 && bases_[1].on() && !bases_[2].on() && chance(3000))
            bases_[2] = std::exchange(bases_[1], Runner{});
    }

    template <class Credit>
    void reachOnError(Side& offense, Side& defense, const Runner& batter, int fielder, Credit& credit) {
        credit(Scored::AtBatOut);
        field(defense, fielder, PositionArray::Errors);
        advanceAll(offense, defense, -1);
        bases_[0] = Runner{batter.person, batter.pitcher, false};
    }

    template <class Credit>
    void groundBall(Side& offense, Side& defense, const Runner& batter, Credit& credit) {
        const int fielder = pickFielder(c_.luck, kGroundWeights);
        // Pitchers, off balance after the pitch, boot more comebackers than infielders.
        if (fielder == kP && chance(400)) return reachOnError(offense, defense, batter, kP, credit);
        const int speed = state(batter.person).batter.grades.speed;
        credit(Scored::AtBatOut);
        if (bases_[0].on() && outs_ < 2 && chance(std::clamp(4200 - 15 * speed, 1500, 6000)))
            return doublePlay(offense, defense, batter, fielder);
        if (fielder == k1B) {
            field(defense, k1B, PositionArray::Putouts);
        } else {
            field(defense, fielder, PositionArray::Assists);
            field(defense, k1B, PositionArray::Putouts);
        }
        recordOut(defense);
        if (outs_ >= 3) return;
        if (bases_[2].on() && ((bases_[1].on() && bases_[0].on()) || chance(5000)))
            scoreFrom(2, offense, defense, batter.person);
        if (bases_[1].on() && !bases_[2].on() && (bases_[0].on() || chance(5000)))
            bases_[2] = std::exchange(bases_[1], Runner{});
        if (bases_[0].on() && !bases_[1].on()) bases_[1] = std::exchange(bases_[0], Runner{});
    }

    void doublePlay(Side& offense, Side& defense, const Runner& batter, int fielder) {
        ++line(batter.person)[StatField::GroundedDoublePlays];
        const int pivot = fielder == kSS || fielder == k3B ? k2B : kSS;
        field(defense, fielder, PositionArray::Assists);
        field(defense, pivot, PositionArray::Putouts);
        field(defense, pivot, PositionArray::Assists);
        field(defense, k1B, PositionArray::Putouts);
        bases_[0] = Runner{};
        recordOut(defense, 2);
        if (outs_ >= 3) return;
        scoreFrom(2, offense, defense, -1);
        bases_[2] = std::exchange(bases_[1], Runner{});
    }

    // --- the end of the game

    GameResult finish() {
        Side& winner = home_.runs > away_.runs ? home_ : away_;
        Side& loser = &winner == &home_ ? away_ : home_;
        creditGames(winner);
        creditGames(loser);
        int winning = winner.winPitcher;
        // A starter wins only when he went five innings.
        if (winning == winner.starter && winner.starterOuts < 15 && winner.pitchers.size() > 1)
            winning = winner.pitchers[1];
        ++line(winning)[StatField::Wins];
        ++line(loser.losePitcher)[StatField::Losses];
        if (winner.winningRbi >= 0) ++line(winner.winningRbi)[StatField::GameWinningRbi];
        return {winner.team, loser.team, winner.runs, loser.runs};
    }

    void creditGames(Side& side) {
        for (int person : side.entered)
            ++line(person)[StatField::BattingGames];
        for (int person : side.pitchers) {
            StatLine& pitcher = line(person);
            ++pitcher[StatField::GamesPitched];
            ++pitcher.at(PositionArray::Games, kP);
            c_.players[static_cast<std::size_t>(person)].lastPitched = c_.day;
        }
        StatLine& starter = line(side.starter);
        ++starter[StatField::GamesStarted];
        ++starter.at(PositionArray::Starts, kP);
        if (side.pitchers.size() == 1) ++starter[StatField::CompleteGames];
        for (int position = kC; position < kFieldPositions; ++position) {
            StatLine& fielder = line(side.startingFielders[static_cast<std::size_t>(position)]);
            ++fielder.at(PositionArray::Games, position);
            ++fielder.at(PositionArray::Starts, position);
        }
    }

    GameContext& c_;
    Side away_;
    Side home_;
    std::array<Runner, 3> bases_{};
    int outs_ = 0;
    int inning_ = 1;
    bool bottom_ = false;
};

} // namespace

GameResult playGame(GameContext& context, const Lineup& away, const Lineup& home) {
    return Game(context, away, home).play();
}

} // namespace boxloom::demo
