#pragma once

// Rates as exact fractions of counters: ranked on their exact value, printed
// rounded, and "—" when the divisor is zero.

#include "league_data.h"
#include "rate_formulas.h"

#include <string>

namespace boxloom::site {

struct Ratio {
    Counter numerator = 0;
    Counter denominator = 1;
    bool defined() const { return denominator != 0; }
    double value() const { return static_cast<double>(numerator) / static_cast<double>(denominator); }
};

// Compares two defined ratios exactly: negative, zero or positive.
int compareRatios(const Ratio& a, const Ratio& b);

// a/b + c/d as one fraction, undefined when either is.
Ratio sumOfRatios(const Ratio& a, const Ratio& b);

// A real number that is no ratio of counters (a league-adjusted figure), as a
// fraction over a million: ranked, printed and sorted like the exact rates.
Ratio approximateRatio(double value);

enum class Shown {
    Count,   // 42
    Average, // .312, 1.024
    TwoDecimals,
    Innings,    // outs as 123.1
    Whole,      // a rate rounded to a whole number: 112
    OneDecimal, // 12.4
};

inline constexpr std::string_view kUndefinedRate = "\u2014";

// The decimals a rate is printed with.
int decimalsOf(Shown shown);
// A ratio with a fixed count of decimals, rounded half away from zero from its
// exact value; never "-0.0"; .5 for 0.5 when asked.
void appendDecimals(std::string& out, const Ratio& value, int decimals, bool withoutLeadingZero);
std::string formatValue(const Ratio& value, Shown shown);
void appendValue(std::string& out, const Ratio& value, Shown shown);
// The unrounded value for the sorting script; "" when undefined.
std::string sortKey(const Ratio& value);
void appendSortKey(std::string& out, const Ratio& value);
std::string formatInnings(Counter outs);

// The rates of the rows, from their counters: rateOf<rate::kOnBase> is the
// one definition the views' SQL is written from as well.
Ratio ratioOf(const RateFormula& formula, const Counters& c);
template <const RateFormula& formula> Ratio rateOf(const Counters& c) { return ratioOf(formula, c); }
Ratio onBasePlusSlugging(const Counters& c);
Counter plateAppearances(const Counters& c);

void addCounters(Counters& total, const Counters& more);

} // namespace boxloom::site
