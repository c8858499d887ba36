#include "league_adjusted.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace boxloom::site {
namespace {

struct Batting {
    Counter ab, r, h, b2, b3, hr, hbp, so, w, iw, sh, sf, ci;
};

StatLine battingLine(std::int64_t id, std::int64_t team, const Batting& b) {
    StatLine line;
    line.playerId = id;
    line.player = "Player," + std::to_string(id);
    line.teamId = team;
    line.statType = std::string(kRegular);
    line.counters = Counters(bat::Count);
    Counters& c = line.counters;
    c[bat::AB] = b.ab, c[bat::R] = b.r, c[bat::H] = b.h, c[bat::B2] = b.b2, c[bat::B3] = b.b3;
    c[bat::HR] = b.hr, c[bat::HBP] = b.hbp, c[bat::SO] = b.so, c[bat::W] = b.w, c[bat::IW] = b.iw;
    c[bat::SH] = b.sh, c[bat::SF] = b.sf, c[bat::CI] = b.ci;
    return line;
}

struct Pitching {
    Counter outs, r, er, h, bb, so, hr, hbp;
};

StatLine pitchingLine(std::int64_t id, const Pitching& p) {
    StatLine line;
    line.playerId = id;
    line.player = "Pitcher," + std::to_string(id);
    line.teamId = 1;
    line.statType = std::string(kRegular);
    line.counters = Counters(pit::Count);
    Counters& c = line.counters;
    c[pit::Outs] = p.outs, c[pit::R] = p.r, c[pit::ER] = p.er, c[pit::H] = p.h, c[pit::BB] = p.bb;
    c[pit::SO] = p.so, c[pit::HR] = p.hr, c[pit::HBP] = p.hbp;
    return line;
}

constexpr Batting kFirstBatter{500, 80, 150, 30, 5, 20, 5, 100, 60, 5, 2, 5, 1};
constexpr Batting kSecondBatter{400, 50, 100, 20, 2, 10, 3, 90, 40, 0, 0, 2, 0};

// Two batters and two pitchers; the pitchers' own batting, one of them by
// kind and one grouped, must not move the league's batting figures.
SeasonData smallLeague() {
    SeasonData season;
    season.batting = {battingLine(1, 1, kFirstBatter), battingLine(2, 1, kSecondBatter),
                      battingLine(3, 1, {50, 9, 25, 10, 3, 9, 1, 5, 20, 0, 4, 0, 0}),
                      battingLine(0, 1, {30, 5, 20, 5, 0, 5, 0, 1, 10, 0, 0, 0, 0})};
    season.batting.back().hasPlayer = false;
    season.pitching = {pitchingLine(3, {600, 90, 80, 200, 50, 150, 20, 5}),
                       pitchingLine(4, {300, 40, 35, 90, 30, 60, 10, 2})};
    season.pitchers = {3, 4};
    return season;
}

// The figures below were worked out by hand from the definitions, apart from
// this code: runs per out 130 / 900, the Tango weights from it, and so on.
TEST(LeagueAdjusted, TheLeaguesBaselinesLeaveOutPitchersBatting) {
    const LeagueBaselines b = leagueBaselines(smallLeague());
    EXPECT_EQ(compareRatios(b.onBase, {358, 1015}), 0);
    EXPECT_EQ(compareRatios(b.slugging, {404, 900}), 0);
    EXPECT_EQ(compareRatios(b.earnedRunAverage, {27 * 115, 900}), 0);
    EXPECT_NEAR(b.runsPerOut, 130.0 / 900, 1e-12);
    const std::vector<std::pair<double, double>> weights = {
        {b.weights.walk, 0.6984766667632576},
        {b.weights.hitByPitch, 0.729148009013393},
        {b.weights.single, 0.8886389887140974},
        {b.weights.double_, 1.2566950957157232},
        {b.weights.triple, 1.5879455920171863},
        {b.weights.homeRun, 2.067100116502636},
        {b.wobaScale, 1.226853690005419},
        {b.fipConstant, 2.68},
        {b.woba, 353.0 / 1010}, // the league's OBP without intentional walks
    };
    for (std::size_t i = 0; i < weights.size(); ++i)
        EXPECT_NEAR(weights[i].first, weights[i].second, 1e-12) << i;
}

struct Expected {
    const char* what;
    std::size_t line;
    bool pitching;
    Ratio (*figure)(const Counters&);
    double value;
};

TEST(LeagueAdjusted, EachLinesFiguresAgainstItsLeague) {
    SeasonData season = smallLeague();
    addLeagueAdjusted(season);
    const std::vector<Expected> cases = {
        {"OPS+ 1", 0, false, onBasePlusSluggingPlus, 118.32772442195707},
        {"wOBA 1", 0, false, weightedOnBase, 0.37781459080795704},
        {"wRAA 1", 0, false, runsAboveAverage, 13.221970990872064},
        {"wRC 1", 0, false, runsCreated, 86.39485900658916},
        {"wRC+ 1", 0, false, runsCreatedPlus, 118.06949452101995},
        {"OPS+ 2", 1, false, onBasePlusSluggingPlus, 76.87585727061817},
        {"wOBA 2", 1, false, weightedOnBase, 0.3135612498730434},
        {"wRAA 2", 1, false, runsAboveAverage, -13.037371046845921},
        {"wRC+ 2", 1, false, runsCreatedPlus, 77.05783279915447},
        {"ERA+ 3", 0, true, earnedRunAveragePlus, 95.83333333333333},
        {"FIP 3", 0, true, fieldingIndependentPitching, 3.305},
        {"ERA+ 4", 1, true, earnedRunAveragePlus, 109.52380952380953},
        {"FIP 4", 1, true, fieldingIndependentPitching, 3.74},
    };
    for (const Expected& c : cases) {
        const StatLine& line = c.pitching ? season.pitching[c.line] : season.batting[c.line];
        const Ratio figure = c.figure(line.counters);
        ASSERT_TRUE(figure.defined()) << c.what;
        EXPECT_NEAR(figure.value(), c.value, 1e-5) << c.what;
    }
}

// A batter with OBP .400 and SLG .500 in a league of .320/.400 has OPS+ 150;
// a pitcher with ERA 3.00 in a league of 4.50 has ERA+ 150.
TEST(LeagueAdjusted, PublishedStatLines) {
    Counters batter = battingLine(1, 1, {150, 0, 45, 9, 0, 7, 0, 0, 25, 0, 0, 0, 0}).counters;
    batter.resize(adj::BattingEnd);
    batter[adj::LeagueObpByPa] = 56 * kDerivedScale; // .320 × 175 PA
    batter[adj::LeagueSlgByPa] = 70 * kDerivedScale; // .400 × 175 PA
    EXPECT_EQ(formatValue(onBasePlusSluggingPlus(batter), Shown::Whole), "150");
    Counters pitcher = pitchingLine(2, {270, 30, 30, 0, 0, 0, 0, 0}).counters;
    pitcher.resize(adj::PitchingEnd);
    pitcher[adj::LeagueEraByOuts] = 1215 * kDerivedScale; // 4.50 × 270 outs
    EXPECT_EQ(compareRatios(earnedRunAveragePlus(pitcher), {150, 1}), 0);
}

Counters sum(const std::vector<const Counters*>& parts) {
    Counters total;
    for (const Counters* part : parts)
        addCounters(total, *part);
    return total;
}

// A traded player's total and a career are weighted by what they are made of:
// the total's OPS+ is that of his summed counters against the season's league;
// a career's ERA+ sets career earned runs against each season's league ERA
// weighted by his outs there.
TEST(LeagueAdjusted, TotalsAndCareersAreWeightedByTheirParts) {
    SeasonData whole = smallLeague();
    SeasonData traded = smallLeague();
    traded.batting[0] = battingLine(1, 1, {300, 50, 90, 20, 3, 12, 3, 60, 40, 5, 2, 3, 1});
    traded.batting.push_back(battingLine(1, 2, {200, 30, 60, 10, 2, 8, 2, 40, 20, 0, 0, 2, 0}));
    addLeagueAdjusted(whole);
    addLeagueAdjusted(traded);
    const Counters total = sum({&traded.batting[0].counters, &traded.batting.back().counters});
    EXPECT_NEAR(onBasePlusSluggingPlus(total).value(),
                onBasePlusSluggingPlus(whole.batting[0].counters).value(), 1e-5);
    EXPECT_EQ(compareRatios(weightedOnBase(total), weightedOnBase(whole.batting[0].counters)), 0);

    SeasonData later = smallLeague();
    later.pitching[1] = pitchingLine(4, {300, 75, 70, 90, 30, 60, 10, 2}); // league ERA 4.50
    addLeagueAdjusted(later);
    const Counters career = sum({&whole.pitching[0].counters, &later.pitching[0].counters});
    // Career ERA 27 × 160 / 1200 = 3.60 against (3.45 + 4.50) / 2 = 3.975.
    EXPECT_NEAR(earnedRunAveragePlus(career).value(), 100 * 3.975 / 3.6, 1e-6);
}

// Within one season a traded player's teams share the league's constants: his
// TOT's figures are the formula on the TOT line (3 PA here), not his teams' sum.
TEST(LeagueAdjusted, ATradedPlayersTotalIsTheFormulaOnItsOwnLine) {
    SeasonData traded = smallLeague(), whole = smallLeague();
    traded.batting.push_back(battingLine(7, 1, {2, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    // A sacrifice hit: a plate appearance that wOBA does not divide by.
    traded.batting.push_back(battingLine(7, 2, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}));
    whole.batting.push_back(battingLine(7, 1, {2, 0, 1, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0}));
    addLeagueAdjusted(traded);
    addLeagueAdjusted(whole);
    const Counters total = sum({&traded.batting[4].counters, &traded.batting[5].counters});
    const Counters& own = whole.batting[4].counters;
    // Within the millionths that the league's figures are held in.
    for (auto figure :
         {runsAboveAverage, runsCreated, runsCreatedPlus, weightedOnBase, onBasePlusSluggingPlus})
        EXPECT_NEAR(figure(total).value(), figure(own).value(), 1e-5 + 1e-6 * std::abs(figure(own).value()));
}

// A league ERA of no short decimal (3429 / 1008): two pitchers with one ERA
// have one ERA+, exactly, and rank as a tie.
TEST(LeagueAdjusted, EqualErasInALeagueHaveEqualEraPlus) {
    SeasonData season = smallLeague();
    season.pitching.push_back(pitchingLine(5, {27, 3, 3, 5, 1, 5, 0, 0}));
    season.pitching.push_back(pitchingLine(6, {81, 9, 9, 15, 3, 15, 0, 0}));
    addLeagueAdjusted(season);
    EXPECT_EQ(compareRatios(earnedRunAveragePlus(season.pitching[2].counters),
                            earnedRunAveragePlus(season.pitching[3].counters)),
              0);
    EXPECT_NEAR(earnedRunAveragePlus(season.pitching[2].counters).value(), 100 * (3429.0 / 1008) / 3, 1e-4);
}

// Lines of one season whose rates are equal (one is another times seven) have
// exactly equal figures, whatever the sizes: the league's constants come back
// the same from every line, and each wOBA weight is rounded once.
TEST(LeagueAdjusted, EqualRatesInALeagueHaveEqualFigures) {
    SeasonData season = smallLeague();
    season.batting.push_back(battingLine(5, 1, {7, 1, 3, 1, 0, 1, 1, 2, 1, 0, 0, 1, 0}));
    season.batting.push_back(battingLine(6, 1, {49, 7, 21, 7, 0, 7, 7, 14, 7, 0, 0, 7, 0}));
    season.pitching.push_back(pitchingLine(5, {31, 3, 2, 5, 3, 7, 1, 1}));
    season.pitching.push_back(pitchingLine(6, {217, 21, 14, 35, 21, 49, 7, 7}));
    addLeagueAdjusted(season);
    const Counters& small = season.batting[4].counters;
    const Counters& large = season.batting[5].counters;
    for (auto figure : {onBasePlusSluggingPlus, weightedOnBase, runsCreatedPlus})
        EXPECT_EQ(compareRatios(figure(small), figure(large)), 0) << figure(small).value();
    EXPECT_EQ(compareRatios(fieldingIndependentPitching(season.pitching[2].counters),
                            fieldingIndependentPitching(season.pitching[3].counters)),
              0);
}

TEST(LeagueAdjusted, AZeroDivisorShowsADash) {
    SeasonData season = smallLeague();
    season.batting.push_back(battingLine(9, 1, {}));
    // Plate appearances, but none that wOBA counts: two sacrifice hits and an intentional walk.
    season.batting.push_back(battingLine(10, 1, {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 0, 0}));
    season.pitching.push_back(pitchingLine(8, {}));
    season.pitching.push_back(pitchingLine(7, {30, 0, 0, 5, 1, 10, 0, 0}));
    addLeagueAdjusted(season);
    const std::string dash(kUndefinedRate);
    for (std::size_t last : {1u, 2u}) {
        const Counters& batter = season.batting[season.batting.size() - last].counters;
        for (auto figure : {weightedOnBase, runsAboveAverage, runsCreated, runsCreatedPlus})
            EXPECT_EQ(formatValue(figure(batter), Shown::OneDecimal), dash) << "batter " << last;
    }
    EXPECT_EQ(
        formatValue(onBasePlusSluggingPlus(season.batting[season.batting.size() - 2].counters), Shown::Whole),
        dash);
    const Counters& idle = season.pitching[2].counters;
    EXPECT_EQ(formatValue(fieldingIndependentPitching(idle), Shown::TwoDecimals), dash);
    EXPECT_EQ(formatValue(earnedRunAveragePlus(idle), Shown::Whole), dash);
    // No earned runs: an ERA of zero, which no league ERA divides.
    EXPECT_EQ(formatValue(earnedRunAveragePlus(season.pitching[3].counters), Shown::Whole), dash);
}

// Sums of grouped rows may hold any 32-bit counter: the derived counters and
// the figures stay in range (the sanitized build would stop at an overflow).
TEST(LeagueAdjusted, TheLargestCountersOverflowNothing) {
    SeasonData season = smallLeague();
    for (auto* lines : {&season.batting, &season.pitching})
        for (StatLine& line : *lines)
            for (std::size_t i = 0; i < line.counters.size(); ++i)
                line.counters[i] = (i % 2 == 0 ? 1 : -1) * Counter{2147483647};
    addLeagueAdjusted(season);
    Counters total;
    for (int copies = 0; copies < 1000; ++copies)
        addCounters(total, season.batting[0].counters);
    for (auto figure :
         {onBasePlusSluggingPlus, weightedOnBase, runsAboveAverage, runsCreated, runsCreatedPlus})
        for (const Counters* counters : {&season.batting[0].counters, &total})
            EXPECT_FALSE(formatValue(figure(*counters), Shown::Whole).empty());
    for (auto figure : {earnedRunAveragePlus, fieldingIndependentPitching})
        EXPECT_FALSE(formatValue(figure(season.pitching[0].counters), Shown::Whole).empty());
}

TEST(LeagueAdjusted, RealFiguresPrintRoundedWithoutANegativeZero) {
    const std::vector<std::tuple<double, Shown, std::string>> cases = {
        {118.5, Shown::Whole, "119"}, // half up, as the printed rates
        {118.49, Shown::Whole, "118"},
        {-0.04, Shown::OneDecimal, "0.0"},
        {-0.4, Shown::Whole, "0"},
        {-13.04, Shown::OneDecimal, "-13.0"},
        {0.3778, Shown::Average, ".378"},
        // Rounded once, where printed: not first to a millionth.
        {0.3254998, Shown::Average, ".325"},
        {118.4999996, Shown::Whole, "118"},
    };
    for (const auto& [value, shown, text] : cases)
        EXPECT_EQ(formatValue(approximateRatio(value), shown), text) << value;
}

} // namespace
} // namespace boxloom::site
