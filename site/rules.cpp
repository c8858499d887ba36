#include "rules.h"

#include "league_adjusted.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace boxloom::site {

namespace {

Ratio count(Counter value) { return {value, 1}; }

template <std::size_t Index> Ratio counterOf(const Counters& c) { return count(c[Index]); }

using Q = Qualifier;
using D = Direction;
using K = StatKind;

constexpr std::array<Category, 25> kCategories = {{
    {"avg", "Batting average", K::Batting, Q::PlateAppearances, D::HigherFirst, rateOf<rate::kBattingAverage>,
     Shown::Average},
    {"obp", "On-base percentage", K::Batting, Q::PlateAppearances, D::HigherFirst, rateOf<rate::kOnBase>,
     Shown::Average},
    {"slg", "Slugging percentage", K::Batting, Q::PlateAppearances, D::HigherFirst, rateOf<rate::kSlugging>,
     Shown::Average},
    {"ops", "On-base plus slugging", K::Batting, Q::PlateAppearances, D::HigherFirst, onBasePlusSlugging,
     Shown::Average},
    {"opsplus", "OPS+ (league-adjusted)", K::Batting, Q::PlateAppearances, D::HigherFirst,
     onBasePlusSluggingPlus, Shown::Whole},
    {"woba", "Weighted on-base average", K::Batting, Q::PlateAppearances, D::HigherFirst, weightedOnBase,
     Shown::Average},
    {"wrcplus", "wRC+ (league-adjusted)", K::Batting, Q::PlateAppearances, D::HigherFirst, runsCreatedPlus,
     Shown::Whole},
    {"hr", "Home runs", K::Batting, Q::None, D::HigherFirst, counterOf<bat::HR>, Shown::Count},
    {"rbi", "Runs batted in", K::Batting, Q::None, D::HigherFirst, counterOf<bat::RBI>, Shown::Count},
    {"h", "Hits", K::Batting, Q::None, D::HigherFirst, counterOf<bat::H>, Shown::Count},
    {"r", "Runs", K::Batting, Q::None, D::HigherFirst, counterOf<bat::R>, Shown::Count},
    {"2b", "Doubles", K::Batting, Q::None, D::HigherFirst, counterOf<bat::B2>, Shown::Count},
    {"3b", "Triples", K::Batting, Q::None, D::HigherFirst, counterOf<bat::B3>, Shown::Count},
    {"sb", "Stolen bases", K::Batting, Q::None, D::HigherFirst, counterOf<bat::SB>, Shown::Count},
    {"bb", "Walks", K::Batting, Q::None, D::HigherFirst, counterOf<bat::W>, Shown::Count},
    {"era", "Earned run average", K::Pitching, Q::Outs, D::LowerFirst, rateOf<rate::kEarnedRunAverage>,
     Shown::TwoDecimals},
    {"eraplus", "ERA+ (league-adjusted)", K::Pitching, Q::Outs, D::HigherFirst, earnedRunAveragePlus,
     Shown::Whole},
    {"fip", "Fielding independent pitching", K::Pitching, Q::Outs, D::LowerFirst, fieldingIndependentPitching,
     Shown::TwoDecimals},
    {"oavg", "Opponents' batting average", K::Pitching, Q::Outs, D::LowerFirst,
     rateOf<rate::kOpponentsAverage>, Shown::Average},
    {"whip", "Walks and hits per inning", K::Pitching, Q::Outs, D::LowerFirst,
     rateOf<rate::kWalksHitsPerInning>, Shown::TwoDecimals},
    {"k9", "Strikeouts per 9 innings", K::Pitching, Q::Outs, D::HigherFirst, rateOf<rate::kStrikeoutsPerNine>,
     Shown::TwoDecimals},
    {"pct", "Winning percentage", K::Pitching, Q::Decisions, D::HigherFirst, rateOf<rate::kWinningPercentage>,
     Shown::Average},
    {"w", "Wins", K::Pitching, Q::None, D::HigherFirst, counterOf<pit::W>, Shown::Count},
    {"so", "Strikeouts", K::Pitching, Q::None, D::HigherFirst, counterOf<pit::SO>, Shown::Count},
    {"ip", "Innings pitched", K::Pitching, Q::None, D::HigherFirst, counterOf<pit::Outs>, Shown::Innings},
}};

} // namespace

std::span<const Category> leaderCategories() { return kCategories; }

Counter gamesPerTeam(const SeasonData& season, std::optional<Counter> told) {
    if (told) return *told;
    std::map<Counter, Counter> starts;
    for (const StatLine& line : season.pitching)
        if (line.statType == kRegular) starts[line.teamId] += line.counters[pit::GS];
    Counter most = 0;
    for (const auto& [team, games] : starts)
        most = std::max(most, games);
    return most;
}

Counter minimumFor(Qualifier qualifier, Counter games) {
    switch (qualifier) {
    case Q::None: return 0;
    case Q::PlateAppearances: return (31 * games + 5) / 10; // 3.1 per game, rounded
    case Q::Outs: return 3 * games;
    case Q::Decisions: return (games + 11) / 12; // one per 12 games, rounded up
    }
    return 0;
}

Counter minimumOverSeasons(Qualifier qualifier, const std::vector<Counter>& gamesOfEachSeason) {
    Counter minimum = 0;
    for (Counter games : gamesOfEachSeason)
        minimum += minimumFor(qualifier, games);
    return minimum;
}

Counter amountFor(Qualifier qualifier, const Counters& c) {
    switch (qualifier) {
    case Q::None: return 0;
    case Q::PlateAppearances: return plateAppearances(c);
    case Q::Outs: return c[pit::Outs];
    case Q::Decisions: return c[pit::W] + c[pit::L];
    }
    return 0;
}

bool qualifies(const Category& category, const Counters& counters, Counter minimum) {
    return category.qualifier == Q::None || amountFor(category.qualifier, counters) >= minimum;
}

std::string minimumText(Qualifier qualifier, Counter minimum) {
    switch (qualifier) {
    case Q::None: return {};
    case Q::PlateAppearances: return "Min. " + std::to_string(minimum) + " PA";
    case Q::Outs: return "Min. " + formatInnings(minimum) + " IP";
    case Q::Decisions: return "Min. " + std::to_string(minimum) + (minimum == 1 ? " decision" : " decisions");
    }
    return {};
}

bool qualifiesAtPosition(const std::string& position, Counter gamesAtPosition, Counter outsPitched,
                         Counter games) {
    if (position == "P") return outsPitched >= minimumFor(Q::Outs, games);
    return position == "C" ? 2 * gamesAtPosition >= games : 3 * gamesAtPosition >= 2 * games;
}

std::string positionMinimumText(const std::string& position, Counter games) {
    if (position == "P") return minimumText(Q::Outs, minimumFor(Q::Outs, games));
    // The least whole number of games that qualifies.
    const Counter least = position == "C" ? (games + 1) / 2 : (2 * games + 2) / 3;
    return "Min. " + std::to_string(least) + " G";
}

const std::vector<std::string>& fieldingPositions() {
    static const std::vector<std::string> positions = {"P", "C", "1B", "2B", "3B", "SS", "LF", "CF", "RF"};
    return positions;
}

std::string pythagoreanRecord(const Standing& standing) {
    constexpr double kExponent = 1.83;
    const Counter games = standing.wins + standing.losses;
    if (standing.runsScored <= 0 && standing.runsAllowed <= 0) return std::string(kUndefinedRate);
    const double scored = std::pow(static_cast<double>(std::max<Counter>(standing.runsScored, 0)), kExponent);
    const double allowed =
        std::pow(static_cast<double>(std::max<Counter>(standing.runsAllowed, 0)), kExponent);
    const auto wins =
        static_cast<Counter>(std::llround(static_cast<double>(games) * scored / (scored + allowed)));
    return std::to_string(wins) + "\u2013" + std::to_string(games - wins);
}

std::vector<Standing> standings(const SeasonData& season) {
    std::map<Counter, Standing> byTeam;
    for (const Team& team : season.teams)
        byTeam[team.id].team = &team;
    for (const StatLine& line : season.pitching) {
        if (line.statType != kRegular) continue;
        Standing& standing = byTeam[line.teamId];
        standing.wins += line.counters[pit::W];
        standing.losses += line.counters[pit::L];
        standing.runsAllowed += line.counters[pit::R];
    }
    for (const StatLine& line : season.batting)
        if (line.statType == kRegular) byTeam[line.teamId].runsScored += line.counters[bat::R];
    std::vector<Standing> table;
    for (auto& [id, standing] : byTeam) {
        if (standing.team == nullptr) continue; // a row of a team the season does not list
        standing.percentage = {standing.wins, standing.wins + standing.losses};
        table.push_back(standing);
    }
    const auto percentage = [](const Standing& s) {
        return s.percentage.defined() ? s.percentage : Ratio{0, 1};
    };
    std::stable_sort(table.begin(), table.end(), [&](const Standing& a, const Standing& b) {
        if (const int order = compareRatios(percentage(a), percentage(b)); order != 0) return order > 0;
        if (a.wins != b.wins) return a.wins > b.wins;
        return a.team->name() < b.team->name();
    });
    for (Standing& standing : table) {
        const Counter behindTwice =
            (table.front().wins - standing.wins) + (standing.losses - table.front().losses);
        if (behindTwice <= 0)
            standing.gamesBehind = std::string(kUndefinedRate);
        else
            standing.gamesBehind = std::to_string(behindTwice / 2) + (behindTwice % 2 != 0 ? ".5" : "");
    }
    return table;
}

} // namespace boxloom::site
