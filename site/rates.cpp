#include "rates.h"

#include <charconv>
#include <cstdlib>

namespace boxloom::site {

namespace {

__extension__ typedef __int128 Wide;

// The sign moved to the numerator, so that comparing cross products works.
Ratio normalized(const Ratio& r) { return r.denominator < 0 ? Ratio{-r.numerator, -r.denominator} : r; }

std::string fixed(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

Counter totalBases(const Counters& c) { return c[bat::H] + c[bat::B2] + 2 * c[bat::B3] + 3 * c[bat::HR]; }

} // namespace

int compareRatios(const Ratio& a, const Ratio& b) {
    const Ratio x = normalized(a), y = normalized(b);
    const Wide left = static_cast<Wide>(x.numerator) * y.denominator;
    const Wide right = static_cast<Wide>(y.numerator) * x.denominator;
    return left < right ? -1 : left > right ? 1 : 0;
}

Ratio sumOfRatios(const Ratio& a, const Ratio& b) {
    if (!a.defined() || !b.defined()) return {0, 0};
    return {a.numerator * b.denominator + b.numerator * a.denominator, a.denominator * b.denominator};
}

std::string formatInnings(Counter outs) {
    const Counter whole = std::llabs(outs);
    return (outs < 0 ? "-" : "") + std::to_string(whole / 3) + "." + std::to_string(whole % 3);
}

std::string formatValue(const Ratio& value, Shown shown) {
    if (shown == Shown::Count) return std::to_string(value.numerator);
    if (shown == Shown::Innings) return formatInnings(value.numerator);
    if (!value.defined()) return std::string(kUndefinedRate);
    if (shown == Shown::TwoDecimals) return fixed(value.value(), 2);
    std::string text = fixed(value.value(), 3);
    // Averages below one are written without the leading zero: .312
    if (text.starts_with("0.")) text.erase(0, 1);
    if (text.starts_with("-0.")) text.erase(1, 1);
    return text;
}

std::string sortKey(const Ratio& value) {
    if (!value.defined()) return {};
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value.value());
    return std::string(buffer, result.ptr);
}

Ratio battingAverage(const Counters& c) { return {c[bat::H], c[bat::AB]}; }
Ratio onBase(const Counters& c) {
    return {c[bat::H] + c[bat::W] + c[bat::HBP], c[bat::AB] + c[bat::W] + c[bat::HBP] + c[bat::SF]};
}
Ratio slugging(const Counters& c) { return {totalBases(c), c[bat::AB]}; }
Ratio onBasePlusSlugging(const Counters& c) { return sumOfRatios(onBase(c), slugging(c)); }
Counter plateAppearances(const Counters& c) {
    return c[bat::AB] + c[bat::W] + c[bat::HBP] + c[bat::SH] + c[bat::SF] + c[bat::CI];
}
Ratio earnedRunAverage(const Counters& c) { return {27 * c[pit::ER], c[pit::Outs]}; }
Ratio opponentsAverage(const Counters& c) { return {c[pit::H], c[pit::AB]}; }
Ratio walksHitsPerInning(const Counters& c) { return {3 * (c[pit::BB] + c[pit::H]), c[pit::Outs]}; }
Ratio strikeoutsPerNine(const Counters& c) { return {27 * c[pit::SO], c[pit::Outs]}; }
Ratio winningPercentage(const Counters& c) { return {c[pit::W], c[pit::W] + c[pit::L]}; }
Ratio fieldingAverage(const Counters& c) {
    return {c[fld::PO] + c[fld::A], c[fld::PO] + c[fld::A] + c[fld::E]};
}
Ratio splitAverage(const Counters& s) { return {s[split::H], s[split::AB]}; }
Ratio splitOnBase(const Counters& s) {
    return {s[split::H] + s[split::BB] + s[split::HBP],
            s[split::AB] + s[split::BB] + s[split::HBP] + s[split::SF]};
}
Ratio splitSlugging(const Counters& s) {
    return {s[split::H] + s[split::B2] + 2 * s[split::B3] + 3 * s[split::HR], s[split::AB]};
}

void addCounters(Counters& total, const Counters& more) {
    if (total.size() < more.size()) total.resize(more.size());
    for (std::size_t i = 0; i < more.size(); ++i)
        total[i] += more[i];
}

} // namespace boxloom::site
