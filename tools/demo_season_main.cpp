#include "demo_season.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: boxloom-demo-season OUT [--seed N] [--seasons K] [--first-year Y] [--records N]\n"
    "Writes zelteam.dat, zelplyr.dat and zelgs.dat of an invented league of 30 teams:\n"
    "162-game seasons, a pre-season of 30 games and three play-off rounds (8, 4 and 2\n"
    "teams), players whose careers rise and fall with age, who retire, change teams and\n"
    "are traded, and rookies who take their places. OUT is created with its parents.\n"
    "\n"
    "  --seed N        the league is a function of N alone, the same bytes on every\n"
    "                  platform (default 1)\n"
    "  --seasons K     K seasons of the one league, 1 to 30 (default 1): the files go\n"
    "                  into OUT/Y, OUT/Y+1, ...; with one season straight into OUT\n"
    "  --first-year Y  the first season's year (default 2031)\n"
    "  --records N     for load only: copies of the league, each playing its own games,\n"
    "                  are added until a season holds at least N statistics records\n"
    "                  (one league makes about 2,600). Copy k (k = 0, 1, ...) plays\n"
    "                  as teams 30*(k mod 3)+1 to 30*(k mod 3)+30 with player numbers\n"
    "                  moved up by 1500*(k mod 4), past 6000 counting again from 1;\n"
    "                  so teams and players repeat and their totals are not one\n"
    "                  league's. Without it the season is one realistic league.\n";

template <class Number> bool parseNumber(std::string_view text, Number& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "boxloom-demo-season: %s\n\n%s", message.c_str(), kUsage);
    return 2;
}

// Reads the value of a numeric option; false when it is missing or not a whole number.
template <class Number> bool takeNumber(int argc, char** argv, int& i, Number& target) {
    if (i + 1 >= argc || !parseNumber(argv[i + 1], target)) return false;
    ++i;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    boxloom::DemoSeasonOptions options;
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        bool ok = true;
        if (argument == "-h" || argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--seed")
            ok = takeNumber(argc, argv, i, options.seed);
        else if (argument == "--records")
            ok = takeNumber(argc, argv, i, options.records);
        else if (argument == "--seasons")
            ok = takeNumber(argc, argv, i, options.seasons);
        else if (argument == "--first-year")
            ok = takeNumber(argc, argv, i, options.firstYear);
        else if (!argument.empty() && argument[0] == '-')
            return usageError("unknown option '" + std::string(argument) + "'");
        else if (folder.empty())
            folder = argument;
        else
            return usageError("more than one OUT folder");
        if (!ok) return usageError(std::string(argument) + " needs a whole number");
    }
    if (folder.empty()) return usageError("missing OUT folder");
    if (options.seasons < 1 || options.seasons > boxloom::kMaxDemoSeasons)
        return usageError("--seasons must be 1 to 30");
    if (options.firstYear < 1 || options.firstYear + options.seasons - 1 > 32767)
        return usageError("--first-year must be 1 to 32767");
    const boxloom::DemoSeasonSummary summary = boxloom::writeDemoSeason(
        folder, options, [](const std::string& line) { std::printf("%s\n", line.c_str()); });
    if (!summary.error.empty()) {
        std::fprintf(stderr, "boxloom-demo-season: %s\n", summary.error.c_str());
        return 1;
    }
    return 0;
}
