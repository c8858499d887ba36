#include "demo_people.h"

#include "league_files.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace boxloom::demo {

namespace {

constexpr std::array<std::string_view, 64> kFirstNames = {
    "Aaron", "Adam",   "Alex",   "Andy",  "Ben",   "Bobby", "Brad",  "Brandon", "Brian",  "Carl",   "Carlos",
    "Chris", "Cody",   "Dale",   "Danny", "Dave",  "Derek", "Eddie", "Eric",    "Frank",  "Gary",   "Glenn",
    "Greg",  "Hector", "Ivan",   "Jack",  "Jake",  "Jason", "Jeff",  "Jim",     "Joe",    "Joel",   "Jorge",
    "Jose",  "Juan",   "Justin", "Keith", "Ken",   "Kevin", "Kyle",  "Larry",   "Luis",   "Marcus", "Mark",
    "Matt",  "Miguel", "Mike",   "Nate",  "Nick",  "Pat",   "Pedro", "Phil",    "Rafael", "Ray",    "Rick",
    "Rob",   "Ryan",   "Scott",  "Sean",  "Steve", "Terry", "Tim",   "Tony",    "Travis"};
constexpr std::array<std::string_view, 96> kLastNames = {
    "Adams",    "Allen",    "Alvarez",   "Bailey",    "Baker",    "Barnes",   "Bell",     "Bennett",
    "Brooks",   "Brown",    "Bryant",    "Butler",    "Campbell", "Carter",   "Castillo", "Clark",
    "Coleman",  "Collins",  "Cook",      "Cooper",    "Cruz",     "Davis",    "Diaz",     "Dixon",
    "Edwards",  "Ellis",    "Evans",     "Fisher",    "Flores",   "Ford",     "Foster",   "Garcia",
    "Gibson",   "Gomez",    "Gonzalez",  "Graham",    "Gray",     "Griffin",  "Hall",     "Hamilton",
    "Harris",   "Hayes",    "Henderson", "Hill",      "Howard",   "Hughes",   "Jackson",  "James",
    "Jenkins",  "Johnson",  "Jones",     "Kelly",     "Kennedy",  "King",     "Lewis",    "Lopez",
    "Marshall", "Martin",   "Martinez",  "Mason",     "Miller",   "Mitchell", "Moore",    "Morales",
    "Morgan",   "Murphy",   "Myers",     "Nelson",    "Ortiz",    "Owens",    "Parker",   "Perez",
    "Perry",    "Phillips", "Powell",    "Price",     "Ramirez",  "Reed",     "Reyes",    "Richardson",
    "Rivera",   "Roberts",  "Robinson",  "Rodriguez", "Rogers",   "Ross",     "Russell",  "Sanchez",
    "Sanders",  "Scott",    "Stewart",   "Sullivan",  "Taylor",   "Turner",   "Walker",   "Wells"};

// From 20 to 40: growth to a peak at 27 and 28, then a decline that quickens.
constexpr std::array<int, 21> kAgeShift = {-30, -25, -19, -14, -9,  -5,  -2,  0,   0,   -1, -3,
                                           -6,  -9,  -13, -17, -22, -27, -33, -40, -47, -55};

Hand batterHand(Random& random) {
    const int roll = random.between(0, 99);
    return roll < 33 ? Hand::Left : roll < 43 ? Hand::Switch : Hand::Right;
}

} // namespace

void NameBook::pick(Random& random, Person& person) {
    for (;;) {
        const int first = random.between(0, kFirstNames.size() - 1);
        const int last = random.between(0, kLastNames.size() - 1);
        const int key = first * 1000 + last;
        // A league of many seasons may use up the pairs; then names repeat, as they do in baseball.
        if (!used_.insert(key).second && used_.size() < kFirstNames.size() * kLastNames.size() * 3 / 4)
            continue;
        person.firstName = kFirstNames[static_cast<std::size_t>(first)];
        person.lastName = kLastNames[static_cast<std::size_t>(last)];
        return;
    }
}

Person makePerson(Random& random, NameBook& names, int id, int kind, int position, int age, int quality) {
    Person person;
    person.id = id;
    names.pick(random, person);
    person.kind = kind;
    person.position = position;
    person.age = age;
    person.form = random.between(-8, 8);
    if (kind == kPitcher) {
        person.throws = random.between(0, 99) < 28 ? Hand::Left : Hand::Right;
        person.bats = person.throws;
        person.pitching = {random.bell(quality, 100), random.bell(quality, 90), random.bell(quality / 2, 80),
                           random.bell(0, 90)};
        person.batting = {random.bell(-100, 45), random.bell(-95, 30), random.bell(-60, 45),
                          random.bell(-30, 60)};
    } else {
        person.bats = batterHand(random);
        person.throws = position == k2B || position == k3B || position == kSS || position == kC
                            ? Hand::Right
                            : (random.between(0, 99) < 25 ? Hand::Left : Hand::Right);
        const int speedLean = position == kCF || position == kSS || position == k2B ? 25 : 0;
        const int powerLean = position == k1B || position == kLF || position == kRF ? 15 : 0;
        person.batting = {random.bell(quality, 110), random.bell(quality + powerLean, 130),
                          random.bell(quality, 120), random.bell(speedLean, 150)};
    }
    return person;
}

int ageShift(int age) { return kAgeShift[static_cast<std::size_t>(std::clamp(age, 20, 40) - 20)]; }

BattingGrades currentBatting(const Person& person) {
    const int shift = ageShift(person.age) + person.drift + person.form;
    const BattingGrades& base = person.batting;
    // Legs go before the bat does.
    const int legs = person.age > 29 ? 3 * (person.age - 29) : 0;
    return {base.contact + shift, base.power + shift, base.eye + shift / 2, base.speed + shift / 2 - legs};
}

PitchingGrades currentPitching(const Person& person) {
    const int shift = ageShift(person.age) + person.drift + person.form;
    const PitchingGrades& base = person.pitching;
    return {base.stuff + shift, base.control + shift / 2, base.homers + shift / 2, base.stamina};
}

int offenseValue(const Person& person) {
    const BattingGrades grades = currentBatting(person);
    return grades.contact + grades.power + grades.eye / 2 + grades.speed / 4;
}

int pitchingValue(const Person& person) {
    const PitchingGrades grades = currentPitching(person);
    return grades.stuff + grades.control + grades.homers / 2;
}

void ageOneYear(Random& random, Person& person) {
    ++person.age;
    person.drift += random.between(-5, 5);
    person.form = random.between(-8, 8);
}

bool retiresNow(Random& random, const Person& person) {
    int percent = person.age < 30 ? 4 : person.age < 34 ? 9 : person.age < 37 ? 25 : 55;
    // A fading player hangs on less often.
    const int value = person.kind == kPitcher ? pitchingValue(person) : offenseValue(person);
    if (value < -60) percent += 12;
    return random.between(0, 99) < percent;
}

} // namespace boxloom::demo
