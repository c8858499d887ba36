#include "demo_season.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage = "Usage: boxloom-demo-season OUT_FOLDER [--seed N] [--records N]\n"
                               "Writes zelteam.dat, zelplyr.dat and zelgs.dat of an invented league.\n"
                               "  --seed N      the season is a deterministic function of N (default 1)\n"
                               "  --records N   about N season statistics records (default 10000)\n";

bool parseNumber(std::string_view text, std::uint64_t& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "boxloom-demo-season: %s\n\n%s", message.c_str(), kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    boxloom::DemoSeasonOptions options;
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--seed" || argument == "--records") {
            std::uint64_t& target = argument == "--seed" ? options.seed : options.records;
            if (i + 1 >= argc || !parseNumber(argv[i + 1], target))
                return usageError(std::string(argument) + " needs a whole number");
            ++i;
        } else if (!argument.empty() && argument[0] == '-') {
            return usageError("unknown option '" + std::string(argument) + "'");
        } else if (folder.empty()) {
            folder = argument;
        } else {
            return usageError("more than one OUT_FOLDER");
        }
    }
    if (folder.empty()) return usageError("missing OUT_FOLDER");
    const boxloom::DemoSeasonSummary summary = boxloom::writeDemoSeason(folder, options);
    if (!summary.error.empty()) {
        std::fprintf(stderr, "boxloom-demo-season: %s\n", summary.error.c_str());
        return 1;
    }
    std::printf("%d teams, %d players, %llu season statistics records in %s\n", summary.teams,
                summary.players, static_cast<unsigned long long>(summary.statRecords), folder.c_str());
    return 0;
}
