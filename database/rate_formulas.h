#pragma once

// The league's rates as data: each a ratio of weighted sums of a row's
// counters. The site evaluates them exactly; the database's season-total views
// are written from the same formulas, so the two cannot disagree.

#include "league_data.h"

#include <array>
#include <initializer_list>
#include <string_view>

namespace boxloom {

struct Term {
    Counter weight = 1;
    std::size_t counter = 0; // an index of the row's table (bat::H, pit::ER, ...)
};

// A weighted sum of at most six counters.
class CounterSum {
public:
    constexpr CounterSum(std::initializer_list<Term> terms) {
        for (const Term& term : terms)
            terms_[size_++] = term;
    }
    constexpr const Term* begin() const { return terms_.data(); }
    constexpr const Term* end() const { return terms_.data() + size_; }

    Counter of(const Counters& counters) const {
        Counter sum = 0;
        for (const Term& term : *this)
            sum += term.weight * counters[term.counter];
        return sum;
    }

private:
    std::array<Term, 6> terms_{};
    std::size_t size_ = 0;
};

struct RateFormula {
    std::string_view name;
    CounterSum numerator;
    CounterSum denominator;
    // The export prints a rate as zero unless its numerator is above zero; the
    // views follow it where the export has such a rate.
    bool zeroUnlessNumeratorPositive = false;
};

namespace rate {
inline constexpr RateFormula kBattingAverage{"AVG", {{1, bat::H}}, {{1, bat::AB}}, true};
inline constexpr RateFormula kOnBase{"OBP",
                                     {{1, bat::H}, {1, bat::W}, {1, bat::HBP}},
                                     {{1, bat::AB}, {1, bat::W}, {1, bat::HBP}, {1, bat::SF}}};
inline constexpr RateFormula kSlugging{
    "SLG", {{1, bat::H}, {1, bat::B2}, {2, bat::B3}, {3, bat::HR}}, {{1, bat::AB}}, true};
inline constexpr RateFormula kIsolatedPower{
    "ISO", {{1, bat::B2}, {2, bat::B3}, {3, bat::HR}}, {{1, bat::AB}}};
inline constexpr RateFormula kBallsInPlayAverage{
    "BABIP", {{1, bat::H}, {-1, bat::HR}}, {{1, bat::AB}, {-1, bat::SO}, {-1, bat::HR}, {1, bat::SF}}};
inline constexpr CounterSum kPlateAppearances{{1, bat::AB}, {1, bat::W},  {1, bat::HBP},
                                              {1, bat::SH}, {1, bat::SF}, {1, bat::CI}};

inline constexpr RateFormula kEarnedRunAverage{"ERA", {{27, pit::ER}}, {{1, pit::Outs}}};
inline constexpr RateFormula kWinningPercentage{"PCT", {{1, pit::W}}, {{1, pit::W}, {1, pit::L}}, true};
inline constexpr RateFormula kOpponentsAverage{"AVG", {{1, pit::H}}, {{1, pit::AB}}};
inline constexpr RateFormula kWalksHitsPerInning{"WHIP", {{3, pit::BB}, {3, pit::H}}, {{1, pit::Outs}}};
inline constexpr RateFormula kStrikeoutsPerNine{"K/9", {{27, pit::SO}}, {{1, pit::Outs}}};
inline constexpr RateFormula kWalksPerNine{"BB/9", {{27, pit::BB}}, {{1, pit::Outs}}};
inline constexpr RateFormula kHomeRunsPerNine{"HR/9", {{27, pit::HR}}, {{1, pit::Outs}}};
inline constexpr RateFormula kStrikeoutsPerWalk{"K/BB", {{1, pit::SO}}, {{1, pit::BB}}};

inline constexpr RateFormula kFieldingAverage{
    "FPCT", {{1, fld::PO}, {1, fld::A}}, {{1, fld::PO}, {1, fld::A}, {1, fld::E}}};

// One side of a batter's splits.
inline constexpr RateFormula kSplitAverage{"AVG", {{1, split::H}}, {{1, split::AB}}};
inline constexpr RateFormula kSplitOnBase{"OBP",
                                          {{1, split::H}, {1, split::BB}, {1, split::HBP}},
                                          {{1, split::AB}, {1, split::BB}, {1, split::HBP}, {1, split::SF}}};
inline constexpr RateFormula kSplitSlugging{
    "SLG", {{1, split::H}, {1, split::B2}, {2, split::B3}, {3, split::HR}}, {{1, split::AB}}};
} // namespace rate

} // namespace boxloom
