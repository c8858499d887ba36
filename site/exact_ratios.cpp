#include "exact_ratios.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <string_view>

namespace boxloom::site {

namespace {

__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 UnsignedWide;

// The sign moved to the numerator, so that comparing cross products works.
Ratio normalized(const Ratio& r) { return r.denominator < 0 ? Ratio{-r.numerator, -r.denominator} : r; }

} // namespace

int compareRatios(const Ratio& a, const Ratio& b) {
    const Ratio x = normalized(a), y = normalized(b);
    const Wide left = static_cast<Wide>(x.numerator) * y.denominator;
    const Wide right = static_cast<Wide>(y.numerator) * x.denominator;
    return left < right ? -1 : left > right ? 1 : 0;
}

namespace {

Wide absolute(Wide value) { return value < 0 ? -value : value; }

// A fraction of 128-bit terms as one of counters: reduced, and where it still
// does not fit, both terms halved until it does (far below a printed digit).
Ratio narrowed(Wide numerator, Wide denominator) {
    Wide a = absolute(numerator), b = absolute(denominator);
    while (b != 0) {
        const Wide rest = a % b;
        a = b;
        b = rest;
    }
    if (a > 1) {
        numerator /= a;
        denominator /= a;
    }
    constexpr Wide kLargest = std::numeric_limits<Counter>::max();
    while (absolute(numerator) > kLargest || absolute(denominator) > kLargest) {
        numerator /= 2;
        denominator /= 2;
    }
    return {static_cast<Counter>(numerator), static_cast<Counter>(denominator)};
}

} // namespace

Ratio sumOfRatios(const Ratio& a, const Ratio& b) {
    if (!a.defined() || !b.defined()) return {0, 0};
    return narrowed(static_cast<Wide>(a.numerator) * b.denominator +
                        static_cast<Wide>(b.numerator) * a.denominator,
                    static_cast<Wide>(a.denominator) * b.denominator);
}

int decimalsOf(Shown shown) {
    switch (shown) {
    case Shown::Whole: return 0;
    case Shown::OneDecimal: return 1;
    case Shown::TwoDecimals: return 2;
    default: return 3;
    }
}

// Over a billion (a thousand beyond a billion): rounded far below a printed
// digit, so that the figure is rounded once, where it is printed.
Ratio approximateRatio(double value) {
    constexpr double kLargest = 1e12; // beyond any figure of a league, and far from overflow
    if (!std::isfinite(value) || std::abs(value) > kLargest) return {0, 0};
    const Counter denominator = std::abs(value) < 1e9 ? 1'000'000'000 : 1'000;
    return {std::llround(value * static_cast<double>(denominator)), denominator};
}

std::string formatInnings(Counter outs) {
    std::string text;
    appendValue(text, {outs, 1}, Shown::Innings);
    return text;
}

void appendValue(std::string& out, const Ratio& value, Shown shown) {
    char buffer[64];
    char* end = buffer + sizeof buffer;
    if (shown == Shown::Count) {
        out.append(buffer, std::to_chars(buffer, end, value.numerator).ptr);
    } else if (shown == Shown::Innings) {
        const Counter outs = value.numerator;
        if (outs < 0) out += '-';
        const auto magnitude = static_cast<unsigned long long>(outs);
        const unsigned long long whole = outs < 0 ? 0ULL - magnitude : magnitude;
        out.append(buffer, std::to_chars(buffer, end, whole / 3).ptr);
        out += '.';
        out += static_cast<char>('0' + whole % 3);
    } else if (!value.defined()) {
        out += kUndefinedRate;
    } else {
        appendDecimals(out, value, decimalsOf(shown), shown == Shown::Average);
    }
}

namespace {

// a / b rounded half away from zero; b > 0.
template <typename Integer> Integer roundedQuotient(Integer a, Integer b) {
    const Integer quotient = a / b, remainder = a % b;
    const bool half = 2 * (remainder < 0 ? -remainder : remainder) >= b;
    return half ? quotient + (a < 0 ? -1 : 1) : quotient;
}

// The ratio times 10^decimals, rounded; in 64 bits when it fits, as nearly every rate does.
Wide scaledAndRounded(const Ratio& exact, int decimals) {
    Wide scaled = exact.numerator;
    for (int i = 0; i < decimals; ++i)
        scaled *= 10;
    constexpr Wide kLimit = std::numeric_limits<long long>::max();
    if (scaled <= kLimit && scaled >= -kLimit)
        return roundedQuotient(static_cast<long long>(scaled), static_cast<long long>(exact.denominator));
    return roundedQuotient(scaled, static_cast<Wide>(exact.denominator));
}

// The decimal digits of a magnitude, at least `least` of them (leading zeros).
std::string_view digitsOf(UnsignedWide magnitude, std::size_t least, char (&buffer)[48]) {
    char* start = std::end(buffer);
    const auto put = [&start](auto rest) {
        do {
            *--start = static_cast<char>('0' + static_cast<int>(rest % 10));
            rest /= 10;
        } while (rest != 0);
    };
    if (magnitude <= std::numeric_limits<unsigned long long>::max())
        put(static_cast<unsigned long long>(magnitude));
    else
        put(magnitude);
    while (static_cast<std::size_t>(std::end(buffer) - start) < least)
        *--start = '0';
    return {start, static_cast<std::size_t>(std::end(buffer) - start)};
}

} // namespace

// Rounded half away from zero from the exact fraction, so that 5/16 prints
// .313 and an ERA of 5.625 prints 5.63 whatever their binary forms.
void appendDecimals(std::string& out, const Ratio& value, int decimals, bool withoutLeadingZero) {
    if (!value.defined()) {
        out += kUndefinedRate;
        return;
    }
    const Wide rounded = scaledAndRounded(normalized(value), decimals);
    // A value that rounds to zero has no sign: 0.0, not -0.0
    if (rounded < 0) out += '-';
    char buffer[48];
    const auto fraction = static_cast<std::size_t>(decimals);
    const std::string_view digits =
        digitsOf(static_cast<UnsignedWide>(rounded < 0 ? -rounded : rounded), fraction + 1, buffer);
    const std::size_t whole = digits.size() - fraction;
    // Averages below one are written without the leading zero: .312
    if (!(withoutLeadingZero && fraction > 0 && whole == 1 && digits[0] == '0'))
        out += digits.substr(0, whole);
    if (fraction == 0) return;
    out += '.';
    out += digits.substr(whole);
}

std::string formatValue(const Ratio& value, Shown shown) {
    std::string text;
    appendValue(text, value, shown);
    return text;
}

void appendSortKey(std::string& out, const Ratio& value) {
    if (!value.defined()) return;
    char buffer[64];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value.value()).ptr);
}

std::string sortKey(const Ratio& value) {
    std::string key;
    appendSortKey(key, value);
    return key;
}

Ratio ratioOf(const RateFormula& formula, const Counters& c) {
    return {formula.numerator.of(c), formula.denominator.of(c)};
}

Ratio onBasePlusSlugging(const Counters& c) {
    return sumOfRatios(ratioOf(rate::kOnBase, c), ratioOf(rate::kSlugging, c));
}
Counter plateAppearances(const Counters& c) { return rate::kPlateAppearances.of(c); }

void addCounters(Counters& total, const Counters& more) {
    if (total.size() < more.size()) total.resize(more.size());
    for (std::size_t i = 0; i < more.size(); ++i)
        total[i] += more[i];
}

} // namespace boxloom::site
