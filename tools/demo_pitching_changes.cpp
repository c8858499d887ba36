#include "demo_game_side.h"

namespace boxloom::demo {

namespace {

// A starter who has given up three runs or fewer goes out for the ninth if
// he has a little left: the league's complete games.
bool finishing(const Side& defense, int inning) {
    return defense.pitcher == defense.starter && inning >= 9 && defense.starterRuns <= 3 &&
           defense.stintBatters < defense.starterBatters + 8;
}

bool tired(const Side& defense, int inning, bool startOfInning) {
    if (defense.pitcherOut) return true;
    if (defense.pitcher == defense.starter) {
        if (startOfInning)
            return !finishing(defense, inning) &&
                   (defense.stintBatters >= defense.starterBatters || defense.starterRuns >= 5);
        return defense.stintBatters >= defense.starterBatters + 5 || defense.starterRuns >= 7;
    }
    return startOfInning ? defense.stintOuts >= 3 : defense.stintBatters >= 9;
}

int pickReliever(Side& defense, int inning, int lead, bool save) {
    int person = -1;
    if (save && defense.closer >= 0) std::swap(person, defense.closer);
    if (person < 0 && inning >= 7 && lead >= 0 && lead <= 3) person = takeFirst(defense.setup);
    if (person < 0) person = takeFirst(defense.middle);
    if (person < 0) person = takeFirst(defense.setup);
    if (person < 0 && defense.closer >= 0) std::swap(person, defense.closer);
    return person;
}

void bringIn(Side& defense, int person) {
    defense.pitcher = person;
    defense.pitchers.push_back(person);
    addOnce(defense.entered, person);
    defense.order[kPitcherSlot] = person;
    defense.fielders[kP] = person;
    defense.stintBatters = defense.stintOuts = 0;
    defense.pitcherOut = false;
}

} // namespace

int takeFirst(std::vector<int>& pool) {
    if (pool.empty()) return -1;
    const int person = pool.front();
    pool.erase(pool.begin());
    return person;
}

void makePitchingChange(Side& defense, int inning, int lead, bool startOfInning) {
    const bool save = inning >= 9 && lead >= 1 && lead <= 3;
    const bool callCloser = startOfInning && save && defense.closer >= 0 &&
                            defense.pitcher != defense.closer && !finishing(defense, inning);
    if (!tired(defense, inning, startOfInning) && !callCloser) return;
    const int reliever = pickReliever(defense, inning, lead, save);
    if (reliever < 0) {
        defense.pitcherOut = false;
        defense.order[kPitcherSlot] = defense.pitcher;
        return;
    }
    bringIn(defense, reliever);
}

} // namespace boxloom::demo
