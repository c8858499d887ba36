#include "stat_tables.h"

#include "league_adjusted.h"

#include <array>

namespace boxloom::site {

namespace {

template <std::size_t Index> Ratio counter(const Counters& c) { return {c[Index], 1}; }

Ratio plateAppearancesRatio(const Counters& c) { return {plateAppearances(c), 1}; }

using S = Shown;

constexpr std::array<StatColumn, 30> kBatting = {{
    {"G", "Games", counter<bat::G>, S::Count},
    {"PA", "Plate appearances: AB + BB + HBP + SH + SF + CI", plateAppearancesRatio, S::Count},
    {"AB", "At bats", counter<bat::AB>, S::Count},
    {"R", "Runs", counter<bat::R>, S::Count, "r"},
    {"H", "Hits", counter<bat::H>, S::Count, "h"},
    {"2B", "Doubles", counter<bat::B2>, S::Count, "2b"},
    {"3B", "Triples", counter<bat::B3>, S::Count, "3b"},
    {"HR", "Home runs", counter<bat::HR>, S::Count, "hr"},
    {"RBI", "Runs batted in", counter<bat::RBI>, S::Count, "rbi"},
    {"BB", "Bases on balls (walks)", counter<bat::W>, S::Count, "bb"},
    {"IBB", "Intentional walks", counter<bat::IW>, S::Count},
    {"SO", "Strikeouts", counter<bat::SO>, S::Count},
    {"HBP", "Hit by pitch", counter<bat::HBP>, S::Count},
    {"SB", "Stolen bases", counter<bat::SB>, S::Count, "sb"},
    {"CS", "Caught stealing", counter<bat::CS>, S::Count},
    {"SH", "Sacrifice hits", counter<bat::SH>, S::Count},
    {"SF", "Sacrifice flies", counter<bat::SF>, S::Count},
    {"GDP", "Grounded into double plays", counter<bat::GDP>, S::Count},
    {"CI", "Reached on catcher's interference", counter<bat::CI>, S::Count},
    {"AVG", "Batting average: H / AB", rateOf<rate::kBattingAverage>, S::Average, "avg"},
    {"OBP", "On-base percentage: (H + BB + HBP) / (AB + BB + HBP + SF)", rateOf<rate::kOnBase>, S::Average,
     "obp"},
    {"SLG", "Slugging percentage: total bases / AB", rateOf<rate::kSlugging>, S::Average, "slg"},
    {"OPS", "On-base plus slugging: OBP + SLG", onBasePlusSlugging, S::Average, "ops"},
    {"ISO", "Isolated power: SLG − AVG = (2B + 2 × 3B + 3 × HR) / AB", rateOf<rate::kIsolatedPower>,
     S::Average},
    {"BABIP", "Batting average on balls in play: (H − HR) / (AB − SO − HR + SF)",
     rateOf<rate::kBallsInPlayAverage>, S::Average},
    {"wOBA",
     "Weighted on-base average, league-adjusted (no park factor): the league's linear weights of uBB, HBP, "
     "1B, "
     "2B, 3B and HR (uBB = BB − IBB) over AB + uBB + SF + HBP",
     weightedOnBase, S::Average, "woba"},
    {"OPS+",
     "OPS against the league, league-adjusted (no park factor): 100 × (OBP / lgOBP + SLG / lgSLG − 1)",
     onBasePlusSluggingPlus, S::Whole, "opsplus"},
    {"wRAA",
     "Runs above an average batter, league-adjusted (no park factor): (wOBA − lgwOBA) / wOBA scale "
     "× PA",
     runsAboveAverage, S::OneDecimal},
    {"wRC", "Runs created, league-adjusted (no park factor): wRAA + lgR / lgPA × PA", runsCreated, S::Whole},
    {"wRC+",
     "Runs created against the league, league-adjusted (no park factor): 100 × wRC / (lgR / lgPA "
     "× PA)",
     runsCreatedPlus, S::Whole, "wrcplus"},
}};

constexpr std::array<StatColumn, 24> kPitching = {{
    {"W", "Wins", counter<pit::W>, S::Count, "w"},
    {"L", "Losses", counter<pit::L>, S::Count},
    {"PCT", "Winning percentage: W / (W + L)", rateOf<rate::kWinningPercentage>, S::Average, "pct"},
    {"ERA", "Earned run average: 9 × ER / IP", rateOf<rate::kEarnedRunAverage>, S::TwoDecimals, "era"},
    {"G", "Games pitched", counter<pit::G>, S::Count},
    {"GS", "Games started", counter<pit::GS>, S::Count},
    {"CG", "Complete games", counter<pit::CG>, S::Count},
    {"IP", "Innings pitched (.1 and .2 are one and two outs)", counter<pit::Outs>, S::Innings, "ip"},
    {"H", "Hits allowed", counter<pit::H>, S::Count},
    {"R", "Runs allowed", counter<pit::R>, S::Count},
    {"ER", "Earned runs allowed", counter<pit::ER>, S::Count},
    {"BB", "Walks allowed", counter<pit::BB>, S::Count},
    {"SO", "Strikeouts", counter<pit::SO>, S::Count, "so"},
    {"HR", "Home runs allowed (from the pitcher's splits)", counter<pit::HR>, S::Count},
    {"HBP", "Batters hit by a pitch (from the pitcher's splits)", counter<pit::HBP>, S::Count},
    {"OAB", "Opponents' at bats (from the pitcher's splits)", counter<pit::AB>, S::Count},
    {"OAVG", "Opponents' batting average: H / OAB", rateOf<rate::kOpponentsAverage>, S::Average, "oavg"},
    {"WHIP", "Walks and hits per inning: (BB + H) / IP", rateOf<rate::kWalksHitsPerInning>, S::TwoDecimals,
     "whip"},
    {"K/9", "Strikeouts per 9 innings: 9 × SO / IP", rateOf<rate::kStrikeoutsPerNine>, S::TwoDecimals, "k9"},
    {"BB/9", "Walks per 9 innings: 9 × BB / IP", rateOf<rate::kWalksPerNine>, S::TwoDecimals},
    {"HR/9", "Home runs allowed per 9 innings: 9 × HR / IP", rateOf<rate::kHomeRunsPerNine>, S::TwoDecimals},
    {"K/BB", "Strikeouts per walk: SO / BB", rateOf<rate::kStrikeoutsPerWalk>, S::TwoDecimals},
    {"ERA+", "ERA against the league, league-adjusted (no park factor): 100 × lgERA / ERA",
     earnedRunAveragePlus, S::Whole, "eraplus"},
    {"FIP",
     "Fielding independent pitching, league-adjusted (no park factor): (13 × HR + 3 × (BB + HBP) "
     "− 2 × SO) / IP + cFIP, where cFIP makes the league's FIP its ERA",
     fieldingIndependentPitching, S::TwoDecimals, "fip"},
}};

constexpr std::array<StatColumn, 6> kFielding = {{
    {"G", "Games at the position", counter<fld::G>, S::Count},
    {"GS", "Games started at the position", counter<fld::GS>, S::Count},
    {"PO", "Putouts", counter<fld::PO>, S::Count},
    {"A", "Assists", counter<fld::A>, S::Count},
    {"E", "Errors", counter<fld::E>, S::Count},
    {"FPCT", "Fielding average: (PO + A) / (PO + A + E)", rateOf<rate::kFieldingAverage>, S::Average},
}};

constexpr std::array<StatColumn, 10> kSplits = {{
    {"AB", "At bats", counter<split::AB>, S::Count},
    {"H", "Hits", counter<split::H>, S::Count},
    {"2B", "Doubles", counter<split::B2>, S::Count},
    {"3B", "Triples", counter<split::B3>, S::Count},
    {"HR", "Home runs", counter<split::HR>, S::Count},
    {"BB", "Bases on balls (walks)", counter<split::BB>, S::Count},
    {"SO", "Strikeouts", counter<split::SO>, S::Count},
    {"AVG", "Batting average: H / AB", rateOf<rate::kSplitAverage>, S::Average},
    {"OBP", "On-base percentage: (H + BB + HBP) / (AB + BB + HBP + SF)", rateOf<rate::kSplitOnBase>,
     S::Average},
    {"SLG", "Slugging percentage: total bases / AB", rateOf<rate::kSplitSlugging>, S::Average},
}};

} // namespace

std::span<const StatColumn> battingColumns() { return kBatting; }
std::span<const StatColumn> pitchingColumns() { return kPitching; }
std::span<const StatColumn> fieldingColumns() { return kFielding; }
std::span<const StatColumn> splitColumns() { return kSplits; }

std::span<const std::span<const StatColumn>, kColumnKinds> allColumnKinds() {
    static const std::array<std::span<const StatColumn>, kColumnKinds> kinds = {kBatting, kPitching,
                                                                                kFielding, kSplits};
    return kinds;
}

std::string_view meaningOfLeading(const std::string& label) {
    if (label == "Pos") return "Position";
    if (label == "Team") return "Team; TOT is the total of a season with several teams";
    return {};
}

} // namespace boxloom::site
