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

__extension__ typedef __int128 Wide;

Counter clamped(Wide value) {
    return static_cast<Counter>(std::clamp<Wide>(value, -kDerivedLimit, kDerivedLimit));
}

// A league's constant, rounded once, times a line's count: held in range.
Counter scaledTimes(double constant, Counter count) { return clamped(Wide{fixed(constant)} * count); }

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
    b.onBase = rateOf<rate::kOnBase>(b.batting);
    b.slugging = rateOf<rate::kSlugging>(b.batting);
    b.earnedRunAverage = rateOf<rate::kEarnedRunAverage>(b.pitching);
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

namespace {

// Σ weight × count with each weight rounded once: equal wOBAs are equal ratios.
Counter fixedWobaPoints(const Counters& c, const WobaWeights& w) {
    const Wide points = Wide{fixed(w.walk)} * unintentionalWalks(c) +
                        Wide{fixed(w.hitByPitch)} * c[bat::HBP] + Wide{fixed(w.single)} * singles(c) +
                        Wide{fixed(w.double_)} * c[bat::B2] + Wide{fixed(w.triple)} * c[bat::B3] +
                        Wide{fixed(w.homeRun)} * c[bat::HR];
    return clamped(points);
}

// A derived counter over the count it was made from: the league's constant
// itself on a line of one season, their weighted mean on a sum of seasons.
double perCount(Counter derived, Counter count) {
    return static_cast<double>(derived) / static_cast<double>(count) / kDerivedScale;
}

} // namespace

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
        c[adj::LeagueObpByPa] = scaledTimes(leagueObp, pa);
        c[adj::LeagueSlgByPa] = scaledTimes(leagueSlg, pa);
        c[adj::WobaPoints] = fixedWobaPoints(c, b.weights);
        c[adj::PaOverScale] = scaledTimes(perScale, pa);
        c[adj::LeagueWobaOverScale] = scaledTimes(b.woba * perScale, pa);
        c[adj::LeagueRuns] = scaledTimes(b.runsPerPlateAppearance, pa);
    }
    for (StatLine& line : season.pitching) {
        Counters& c = line.counters;
        c.resize(adj::PitchingEnd);
        c[adj::LeagueEraByOuts] = scaledTimes(leagueEra, c[pit::Outs]);
        c[adj::FipConstantByOuts] = scaledTimes(b.fipConstant, c[pit::Outs]);
    }
}

Ratio onBasePlusSluggingPlus(const Counters& c) {
    const Counter pa = plateAppearances(c);
    const Ratio obp = rateOf<rate::kOnBase>(c), slg = rateOf<rate::kSlugging>(c);
    if (pa <= 0 || c[adj::LeagueObpByPa] == 0 || c[adj::LeagueSlgByPa] == 0 || !obp.defined() ||
        !slg.defined())
        return {0, 0};
    const double leagueObp = perCount(c[adj::LeagueObpByPa], pa);
    const double leagueSlg = perCount(c[adj::LeagueSlgByPa], pa);
    return approximateRatio(100 * (obp.value() / leagueObp + slg.value() / leagueSlg - 1));
}

Ratio weightedOnBase(const Counters& c) {
    const Counter divisor = wobaDivisor(c);
    if (divisor == 0) return {0, 0};
    constexpr Counter kLargestDivisor = std::numeric_limits<Counter>::max() / kDerivedScale;
    if (divisor > 0 && divisor <= kLargestDivisor) return {c[adj::WobaPoints], divisor * kDerivedScale};
    return approximateRatio(unscaled(c[adj::WobaPoints]) / static_cast<double>(divisor));
}

namespace {

// wRAA per plate appearance: wOBA / scale − lgwOBA / scale. Worked out in
// floating point, as the products of derived counters would not fit a
// fraction of whole numbers; from per-PA constants, so that equal wOBAs in
// one season give equal figures.
double runsAboveAveragePerPa(const Counters& c, Counter pa) {
    return weightedOnBase(c).value() * perCount(c[adj::PaOverScale], pa) -
           perCount(c[adj::LeagueWobaOverScale], pa);
}

bool runsAreDefined(const Counters& c, Counter pa) { return wobaDivisor(c) != 0 && pa > 0; }

} // namespace

// Runs from wOBA are as undefined as wOBA itself: a line of only sacrifices,
// intentional walks or interference has none, not an average one.
Ratio runsAboveAverage(const Counters& c) {
    const Counter pa = plateAppearances(c);
    if (!runsAreDefined(c, pa)) return {0, 0};
    return approximateRatio(runsAboveAveragePerPa(c, pa) * static_cast<double>(pa));
}

Ratio runsCreated(const Counters& c) {
    const Counter pa = plateAppearances(c);
    if (!runsAreDefined(c, pa)) return {0, 0};
    const double perPa = runsAboveAveragePerPa(c, pa) + perCount(c[adj::LeagueRuns], pa);
    return approximateRatio(perPa * static_cast<double>(pa));
}

Ratio runsCreatedPlus(const Counters& c) {
    const Counter pa = plateAppearances(c);
    if (c[adj::LeagueRuns] == 0 || !runsAreDefined(c, pa)) return {0, 0};
    const double average = perCount(c[adj::LeagueRuns], pa);
    return approximateRatio(100 * (runsAboveAveragePerPa(c, pa) + average) / average);
}

Ratio earnedRunAveragePlus(const Counters& c) {
    if (c[pit::ER] == 0) return {0, 0};
    constexpr Counter kLargestEarnedRuns = std::numeric_limits<Counter>::max() / (27 * kDerivedScale);
    if (c[pit::ER] > 0 && c[pit::ER] <= kLargestEarnedRuns)
        return {100 * c[adj::LeagueEraByOuts], 27 * kDerivedScale * c[pit::ER]};
    return approximateRatio(100 * unscaled(c[adj::LeagueEraByOuts]) / (27 * static_cast<double>(c[pit::ER])));
}

Ratio fieldingIndependentPitching(const Counters& c) {
    const Counter outs = c[pit::Outs];
    if (outs == 0) return {0, 0};
    const double points = 3 * static_cast<double>(fipPoints(c)) / static_cast<double>(outs);
    return approximateRatio(points + perCount(c[adj::FipConstantByOuts], outs));
}

} // namespace boxloom::site
