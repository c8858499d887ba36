#include "franchises.h"

#include <map>

namespace boxloom::site {

namespace {

struct RoundRecord {
    Counter wins = 0;
    Counter losses = 0;
};

// The playoff rounds in the order the season's rows first show them.
std::vector<std::string> playoffRounds(const SeasonData& season) {
    std::vector<std::string> rounds;
    for (const std::string& type : season.statTypes)
        if (type != kRegular && type != kPreSeason) rounds.push_back(type);
    return rounds;
}

// Each team's wins and losses in each playoff round, from its pitchers' rows.
std::map<std::pair<std::int64_t, std::string>, RoundRecord> roundRecords(const SeasonData& season) {
    std::map<std::pair<std::int64_t, std::string>, RoundRecord> records;
    for (const StatLine& line : season.pitching) {
        if (line.statType == kRegular || line.statType == kPreSeason) continue;
        RoundRecord& record = records[{line.teamId, line.statType}];
        record.wins += line.counters[pit::W];
        record.losses += line.counters[pit::L];
    }
    return records;
}

} // namespace

std::vector<Franchise> franchisesOf(const std::vector<SeasonData>& seasons) {
    std::map<std::int64_t, Franchise> byId;
    for (std::size_t s = 0; s < seasons.size(); ++s) {
        const SeasonData& season = seasons[s];
        const std::vector<std::string> rounds = playoffRounds(season);
        const auto records = roundRecords(season);
        for (const Standing& standing : standings(season)) {
            Franchise& franchise = byId[standing.team->id];
            franchise.teamId = standing.team->id;
            franchise.name = standing.team->name();
            FranchiseSeason entry{s, standing, {}, false};
            for (std::size_t r = 0; r < rounds.size(); ++r) {
                const auto found = records.find({standing.team->id, rounds[r]});
                if (found == records.end()) continue;
                entry.roundReached = rounds[r];
                entry.champion = r + 1 == rounds.size() && found->second.wins > found->second.losses;
            }
            franchise.seasons.push_back(std::move(entry));
        }
    }
    std::vector<Franchise> franchises;
    for (auto& [id, franchise] : byId)
        franchises.push_back(std::move(franchise));
    return franchises;
}

} // namespace boxloom::site
