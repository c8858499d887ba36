#include "league_adjusted.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace boxloom::site {

namespace {

Counter fixed(double value) {
    const double scaled = value * kDerivedScale;
    if (!std::isfinite(scaled)) return 0;
    return std::llround(std::clamp(scaled, -double(kDerivedLimit), double(kDerivedLimit)));
}

double unscaled(Counter value) { return static_cast<double>(value) / kDerivedScale; }

// A league's constant, rounded once, times a line's count: held in range.
Counter scaledTimes(double constant, Counter count) {
    __extension__ typedef __int128 Wide;
    const Wide product = static_cast<Wide>(fixed(constant)) * count;
    return static_cast<Counter>(std::clamp<Wide>(product, -kDerivedLimit, kDerivedLimit));
}

double quotient(double numerator, double denominator) {
    return denominator == 0 ? 0.0 : numerator / denominator;
}

Counter unintentionalWalks(const Counters& c) { return c[bat::W] - c[bat::IW]; }
Counter singles(const Counters& c) { return c[bat::H] - c[bat::B2] - c[bat::B3] - c[bat::HR]; }
Counter wobaDivisor(const Counters& c) {
    return c[bat::AB] + unintentionalWalks(c) + c[bat::SF] + c[bat::HBP];
}

// A line's own counters added to a sum, never what was derived from them.
void addOwn(Counters& sum, const Counters& line) {
    for (std::size_t i = 0; i < sum.size() && i < line.size(); ++i)
        sum[i] += line[i];
}

bool isPitcher(const SeasonData& season, const StatLine& line) {
    return !line.hasPlayer ||
           std::binary_search(season.pitchers.begin(), season.pitchers.end(), line.playerId);
}

// Linear weights from the league's runs per out, by Tango's method; scaled so
// that the league's wOBA is its OBP without intentional walks.
void deriveWobaWeights(LeagueBaselines& b) {
    const Counters& l = b.batting;
    const double runWalk = b.runsPerOut + 0.14, runHitByPitch = runWalk + 0.025;
    const double runSingle = runWalk + 0.155, runDouble = runSingle + 0.3, runTriple = runDouble + 0.27;
    const double runHomeRun = 1.4;
    const double runs = runWalk * unintentionalWalks(l) + runHitByPitch * l[bat::HBP] +
                        runSingle * singles(l) + runDouble * l[bat::B2] + runTriple * l[bat::B3] +
                        runHomeRun * l[bat::HR];
    const Counter outs = l[bat::AB] - l[bat::H] + l[bat::SF];
    const Counter onBase = unintentionalWalks(l) + l[bat::HBP] + l[bat::H];
    if (runs == 0 || outs == 0 || onBase == 0) return;
    const double runMinus = runs / static_cast<double>(outs);
    const double runPlus = runs / static_cast<double>(onBase);
    b.wobaScale = 1 / (runPlus + runMinus);
    const auto weight = [&](double run) { return (run + runMinus) * b.wobaScale; };
    b.weights = {weight(runWalk),   weight(runHitByPitch), weight(runSingle),
                 weight(runDouble), weight(runTriple),     weight(runHomeRun)};
    b.woba = quotient(wobaPoints(l, b.weights), static_cast<double>(wobaDivisor(l)));
}

// FIP's points: 13 × HR + 3 × (BB + HBP) − 2 × SO, over innings.
Counter fipPoints(const Counters& c) {
    return 13 * c[pit::HR] + 3 * (c[pit::BB] + c[pit::HBP]) - 2 * c[pit::SO];
}

} // namespace

double wobaPoints(const Counters& c, const WobaWeights& w) {
    return w.walk * unintentionalWalks(c) + w.hitByPitch * c[bat::HBP] + w.single * singles(c) +
           w.double_ * c[bat::B2] + w.triple * c[bat::B3] + w.homeRun * c[bat::HR];
}

LeagueBaselines leagueBaselines(const SeasonData& season) {
    LeagueBaselines b;
    b.batting = Counters(bat::Count);
    b.pitching = Counters(pit::Count);
    for (const StatLine& line : season.batting)
        if (line.statType == kRegular && !isPitcher(season, line)) addOwn(b.batting, line.counters);
    for (const StatLine& line : season.pitching)
        if (line.statType == kRegular) addOwn(b.pitching, line.counters);
    b.onBase = onBase(b.batting);
    b.slugging = slugging(b.batting);
    b.earnedRunAverage = earnedRunAverage(b.pitching);
    const auto outs = static_cast<double>(b.pitching[pit::Outs]);
    b.runsPerOut = quotient(static_cast<double>(b.pitching[pit::R]), outs);
    deriveWobaWeights(b);
    b.runsPerPlateAppearance =
        quotient(static_cast<double>(b.batting[bat::R]), static_cast<double>(plateAppearances(b.batting)));
    if (b.earnedRunAverage.defined())
        b.fipConstant =
            b.earnedRunAverage.value() - 3 * quotient(static_cast<double>(fipPoints(b.pitching)), outs);
    return b;
}

void addLeagueAdjusted(SeasonData& season) {
    const LeagueBaselines b = leagueBaselines(season);
    const double leagueObp = b.onBase.defined() ? b.onBase.value() : 0;
    const double leagueSlg = b.slugging.defined() ? b.slugging.value() : 0;
    const double leagueEra = b.earnedRunAverage.defined() ? b.earnedRunAverage.value() : 0;
    const double perScale = b.wobaScale == 0 ? 0 : 1 / b.wobaScale;
    for (StatLine& line : season.batting) {
        Counters& c = line.counters;
        c.resize(adj::BattingEnd);
        const Counter pa = plateAppearances(c);
        const auto plate = static_cast<double>(pa);
        c[adj::LeagueObpByPa] = fixed(leagueObp * plate);
        c[adj::LeagueSlgByPa] = fixed(leagueSlg * plate);
        c[adj::WobaPoints] = fixed(wobaPoints(c, b.weights));
        c[adj::PaOverScale] = fixed(perScale * plate);
        c[adj::LeagueWobaOverScale] = fixed(b.woba * perScale * plate);
        c[adj::LeagueRuns] = fixed(b.runsPerPlateAppearance * plate);
    }
    for (StatLine& line : season.pitching) {
        Counters& c = line.counters;
        c.resize(adj::PitchingEnd);
        c[adj::LeagueEraByOuts] = scaledTimes(leagueEra, c[pit::Outs]);
        c[adj::FipConstantByOuts] = fixed(b.fipConstant * static_cast<double>(c[pit::Outs]));
    }
}

Ratio onBasePlusSluggingPlus(const Counters& c) {
    const Counter pa = plateAppearances(c);
    const Ratio obp = onBase(c), slg = slugging(c);
    if (pa <= 0 || c[adj::LeagueObpByPa] == 0 || c[adj::LeagueSlgByPa] == 0 || !obp.defined() ||
        !slg.defined())
        return {0, 0};
    const double scaledPa = static_cast<double>(pa) * kDerivedScale;
    const double leagueObp = static_cast<double>(c[adj::LeagueObpByPa]) / scaledPa;
    const double leagueSlg = static_cast<double>(c[adj::LeagueSlgByPa]) / scaledPa;
    return approximateRatio(100 * (obp.value() / leagueObp + slg.value() / leagueSlg - 1));
}

// The figures are worked out in floating point: the products of derived
// counters would not fit a fraction of whole numbers.
Ratio weightedOnBase(const Counters& c) {
    const Counter divisor = wobaDivisor(c);
    if (divisor == 0) return {0, 0};
    constexpr Counter kLargestDivisor = std::numeric_limits<Counter>::max() / kDerivedScale;
    if (divisor > 0 && divisor <= kLargestDivisor) return {c[adj::WobaPoints], divisor * kDerivedScale};
    return approximateRatio(unscaled(c[adj::WobaPoints]) / static_cast<double>(divisor));
}

namespace {

// wOBA × PA / scale − lgwOBA × PA / scale, in runs.
double runsAboveAverageOf(const Counters& c) {
    return unscaled(c[adj::WobaPoints]) / static_cast<double>(wobaDivisor(c)) *
               unscaled(c[adj::PaOverScale]) -
           unscaled(c[adj::LeagueWobaOverScale]);
}

} // namespace

// Runs from wOBA are as undefined as wOBA itself: a line of only sacrifices,
// intentional walks or interference has none, not an average one.
Ratio runsAboveAverage(const Counters& c) {
    if (wobaDivisor(c) == 0) return {0, 0};
    return approximateRatio(runsAboveAverageOf(c));
}

Ratio runsCreated(const Counters& c) {
    if (wobaDivisor(c) == 0) return {0, 0};
    return approximateRatio(runsAboveAverageOf(c) + unscaled(c[adj::LeagueRuns]));
}

Ratio runsCreatedPlus(const Counters& c) {
    if (c[adj::LeagueRuns] == 0 || wobaDivisor(c) == 0) return {0, 0};
    const double average = unscaled(c[adj::LeagueRuns]);
    return approximateRatio(100 * (runsAboveAverageOf(c) + average) / average);
}

// Exact where the fraction fits: equal ERAs in one league are equal ERA+.
Ratio earnedRunAveragePlus(const Counters& c) {
    if (c[pit::ER] == 0) return {0, 0};
    constexpr Counter kLargestEarnedRuns = std::numeric_limits<Counter>::max() / (27 * kDerivedScale);
    if (c[pit::ER] > 0 && c[pit::ER] <= kLargestEarnedRuns)
        return {100 * c[adj::LeagueEraByOuts], 27 * kDerivedScale * c[pit::ER]};
    return approximateRatio(100 * unscaled(c[adj::LeagueEraByOuts]) / (27 * static_cast<double>(c[pit::ER])));
}

Ratio fieldingIndependentPitching(const Counters& c) {
    if (c[pit::Outs] == 0) return {0, 0};
    return approximateRatio((3 * static_cast<double>(fipPoints(c)) + unscaled(c[adj::FipConstantByOuts])) /
                            static_cast<double>(c[pit::Outs]));
}

} // namespace boxloom::site
