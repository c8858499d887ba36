#pragma once

// One plate appearance between a batter and a pitcher: the chance of each
// outcome from their grades, and the counters each outcome adds.

#include "demo_people.h"
#include "demo_stat_line.h"

namespace boxloom::demo {

enum class Outcome : std::uint8_t {
    CatchersInterference,
    HitByPitch,
    Walk,
    Strikeout,
    HomeRun,
    Triple,
    Double,
    Single,
    BallInPlay, // an out, an error or a double play: settled by the fielders
    Count
};

// Grades that the game reads at every plate appearance, worked out once a season.
struct BatterView {
    BattingGrades grades;
    Hand bats = Hand::Right;
    bool isPitcher = false;
};
struct PitcherView {
    PitchingGrades grades;
    Hand throws = Hand::Right;
};

Outcome drawOutcome(Random& random, const BatterView& batter, const PitcherView& pitcher);

// The side the batter hits from against this pitcher.
Hand battingSide(Hand bats, Hand throws);

// How a plate appearance ended, for the counters: batter's and pitcher's.
enum class Scored : std::uint8_t {
    Single,
    Double,
    Triple,
    HomeRun,
    Walk,
    IntentionalWalk,
    HitByPitch,
    CatchersInterference,
    Strikeout,
    AtBatOut, // an out or reaching on an error: an at-bat without a hit
    SacrificeFly,
    SacrificeHit,
    Count
};

// Adds the plate appearance to the batter's and the pitcher's lines, splits included.
void creditPlateAppearance(Scored how, StatLine& batter, StatLine& pitcher, Hand pitcherThrows, Hand side);

// A run batted in, in the batter's line and in the splits of both.
void creditRunBattedIn(StatLine& batter, StatLine& pitcher, Hand pitcherThrows, Hand side);

} // namespace boxloom::demo
