#pragma once

// The people of the demo league: hidden talent that develops and declines
// with age, and the off-season's retirements.

#include "demo_random.h"

#include <string>
#include <unordered_set>

namespace boxloom::demo {

enum class Hand : std::uint8_t { Left, Right, Switch };

// Positions in the record's order.
enum Position : int { kP, kC, k1B, k2B, k3B, kSS, kLF, kCF, kRF };
inline constexpr int kFieldPositions = 9;

// Grades are deltas from an ordinary major leaguer, roughly -100 to +100.
struct BattingGrades {
    int contact = 0;
    int power = 0;
    int eye = 0;
    int speed = 0;
};
struct PitchingGrades {
    int stuff = 0;
    int control = 0;
    int homers = 0; // keeping the ball in the park
    int stamina = 0;
};

struct Person {
    int id = 0; // index in the league's list; the player number is id + 1
    std::string firstName;
    std::string lastName;
    int kind = 0; // kPositionPlayer or kPitcher
    int position = kP;
    Hand bats = Hand::Right;
    Hand throws = Hand::Right;
    int age = 0;
    int drift = 0; // the career's own rise or fall, a random walk
    int form = 0;  // this season's shape
    BattingGrades batting;
    PitchingGrades pitching;
    int team = 0; // 1 to 30; 0 while without a team
    bool retired = false;
};

// First and last names, each pair used once in a league.
class NameBook {
public:
    void pick(Random& random, Person& person);

private:
    std::unordered_set<int> used_;
};

// A new player of the given kind and main position, `quality` above or below an ordinary one.
Person makePerson(Random& random, NameBook& names, int id, int kind, int position, int age, int quality);

// What age does to a player at his age now: + while young, 0 at the peak, - after it.
int ageShift(int age);

// The grades as they stand this season.
BattingGrades currentBatting(const Person& person);
PitchingGrades currentPitching(const Person& person);

// One number each to rank players by.
int offenseValue(const Person& person);
int pitchingValue(const Person& person);

void ageOneYear(Random& random, Person& person);
bool retiresNow(Random& random, const Person& person);

} // namespace boxloom::demo
