#include "demo_plate.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace boxloom::demo {

namespace {

// Chances per ten thousand plate appearances of an ordinary batter against an
// ordinary pitcher.
constexpr std::array<int, static_cast<std::size_t>(Outcome::Count) - 1> kBaseChance = {
    5,    // catcher's interference
    95,   // hit by pitch
    820,  // walk
    2150, // strikeout
    270,  // home run
    42,   // triple
    450,  // double
    1500, // single
};

int clampChance(int value, int low, int high) { return std::clamp(value, low, high); }

struct Chances {
    std::array<int, kBaseChance.size()> of = kBaseChance;
    int& operator[](Outcome outcome) { return of[static_cast<std::size_t>(outcome)]; }
};

void addGrades(Chances& c, const BattingGrades& bat, const PitchingGrades& pitch) {
    // Power arms miss bats out of proportion: the league's strikeout leaders.
    const int overpowering = std::max(0, pitch.stuff - 30);
    c[Outcome::Strikeout] +=
        (-28 * bat.contact + 8 * bat.power - 14 * bat.eye + 55 * pitch.stuff + 90 * overpowering) / 10;
    c[Outcome::Walk] += (30 * bat.eye - 20 * pitch.control) / 10;
    c[Outcome::HomeRun] += (32 * bat.power - 16 * pitch.homers) / 10;
    c[Outcome::Double] += (10 * bat.power + 3 * bat.speed) / 10;
    c[Outcome::Triple] += (5 * bat.speed) / 10;
    c[Outcome::Single] += (36 * bat.contact + 6 * bat.speed - 10 * pitch.stuff) / 10;
}

// Batters see the ball better from the pitcher's other side.
void addPlatoon(Chances& c, Hand side, Hand throws) {
    const bool same = side == throws;
    c[Outcome::Strikeout] += same ? 200 : -70;
    c[Outcome::Single] += same ? -90 : 35;
    c[Outcome::HomeRun] += same ? -40 : 15;
    c[Outcome::Walk] += same ? -40 : 15;
}

} // namespace

Hand battingSide(Hand bats, Hand throws) {
    if (bats != Hand::Switch) return bats;
    return throws == Hand::Left ? Hand::Right : Hand::Left;
}

Outcome drawOutcome(Random& random, const BatterView& batter, const PitcherView& pitcher) {
    Chances chances;
    addGrades(chances, batter.grades, pitcher.grades);
    addPlatoon(chances, battingSide(batter.bats, pitcher.throws), pitcher.throws);
    chances[Outcome::Strikeout] =
        clampChance(chances[Outcome::Strikeout], 700, batter.isPitcher ? 6000 : 4200);
    chances[Outcome::Walk] = clampChance(chances[Outcome::Walk], 150, 2200);
    chances[Outcome::HomeRun] = clampChance(chances[Outcome::HomeRun], 5, 1100);
    chances[Outcome::Double] = clampChance(chances[Outcome::Double], 80, 900);
    chances[Outcome::Triple] = clampChance(chances[Outcome::Triple], 2, 200);
    chances[Outcome::Single] = clampChance(chances[Outcome::Single], 500, 2600);
    int roll = random.between(0, 9999);
    for (std::size_t i = 0; i < chances.of.size(); ++i) {
        roll -= chances.of[i];
        if (roll < 0) return static_cast<Outcome>(i);
    }
    return Outcome::BallInPlay;
}

namespace {

struct Credit {
    std::initializer_list<StatField> batter;
    std::initializer_list<StatField> pitcher;
    std::initializer_list<SplitField> splits; // in both players' blocks
};

using F = StatField;
using S = SplitField;

// Row i is Scored value i.
const std::array<Credit, static_cast<std::size_t>(Scored::Count)> kCredits = {{
    {{F::AtBats, F::Hits}, {F::OpponentAtBats, F::HitsAllowed}, {S::AtBats, S::Hits}},
    {{F::AtBats, F::Hits, F::Doubles},
     {F::OpponentAtBats, F::HitsAllowed, F::DoublesAllowed},
     {S::AtBats, S::Hits, S::Doubles}},
    {{F::AtBats, F::Hits, F::Triples},
     {F::OpponentAtBats, F::HitsAllowed, F::TriplesAllowed},
     {S::AtBats, S::Hits, S::Triples}},
    {{F::AtBats, F::Hits, F::HomeRuns},
     {F::OpponentAtBats, F::HitsAllowed, F::HomeRunsAllowed},
     {S::AtBats, S::Hits, S::HomeRuns}},
    {{F::Walks}, {F::WalksAllowed}, {S::Walks}},
    {{F::Walks, F::IntentionalWalks}, {F::WalksAllowed}, {S::Walks, S::IntentionalWalks}},
    {{F::HitByPitch}, {F::HitBatsmen}, {S::HitByPitch}},
    {{F::CatchersInterference}, {}, {S::CatchersInterference}},
    {{F::AtBats, F::Strikeouts}, {F::OpponentAtBats, F::PitcherStrikeouts}, {S::AtBats, S::Strikeouts}},
    {{F::AtBats}, {F::OpponentAtBats}, {S::AtBats}},
    {{F::SacrificeFlies}, {F::SacrificeFliesAllowed}, {S::SacrificeFlies}},
    {{F::SacrificeHits}, {}, {S::SacrificeHits}},
}};

SplitSide batterSide(Hand pitcherThrows) {
    return pitcherThrows == Hand::Left ? SplitSide::BattingVsLeft : SplitSide::BattingVsRight;
}
SplitSide pitcherSide(Hand side) {
    return side == Hand::Left ? SplitSide::PitchingVsLeft : SplitSide::PitchingVsRight;
}

} // namespace

void creditPlateAppearance(Scored how, StatLine& batter, StatLine& pitcher, Hand pitcherThrows, Hand side) {
    const Credit& credit = kCredits[static_cast<std::size_t>(how)];
    for (StatField field : credit.batter)
        ++batter[field];
    for (StatField field : credit.pitcher)
        ++pitcher[field];
    for (SplitField field : credit.splits) {
        ++batter.split(batterSide(pitcherThrows), field);
        ++pitcher.split(pitcherSide(side), field);
    }
}

void creditRunBattedIn(StatLine& batter, StatLine& pitcher, Hand pitcherThrows, Hand side) {
    ++batter[StatField::RunsBattedIn];
    ++batter.split(batterSide(pitcherThrows), SplitField::RunsBattedIn);
    ++pitcher.split(pitcherSide(side), SplitField::RunsBattedIn);
}

} // namespace boxloom::demo
