#include "number_masks.h"

#include "decimal_digits.h"

#include <charconv>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace boxloom {

namespace {

constexpr int kSignificantDigits = 18;
constexpr int kFastPathMaxDecimals = 9;

constexpr std::array<std::uint64_t, kFastPathMaxDecimals + 1> kPowersOfTen = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

struct Binary {
    bool negative;
    bool finite;
    std::uint32_t mantissa; // value = mantissa * 2^exponent
    int exponent;
};

Binary decompose(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>((bits >> 23) & 0xFF);
    const std::uint32_t fraction = bits & 0x7FFFFF;
    // -0 is zero, not a negative value.
    const bool negative = (bits >> 31) != 0 && (bits & 0x7FFFFFFF) != 0;
    Binary binary{negative, biased != 0xFF, fraction, -149};
    if (biased != 0) {
        binary.mantissa = fraction | 0x800000;
        binary.exponent = biased - 150;
    }
    return binary;
}

class TextBuilder {
public:
    explicit TextBuilder(char* out) : cursor_(out) {}
    void put(char c) { *cursor_++ = c; }
    void putZeros(int count) {
        for (int i = 0; i < count; ++i)
            put('0');
    }
    char* end() const { return cursor_; }

private:
    char* cursor_;
};

int digitCount(std::uint64_t value) {
    int count = 1;
    for (; value >= 10000; value /= 10000)
        count += 4;
    return count + (value >= 10) + (value >= 100) + (value >= 1000);
}

// The last `count` decimal digits of value, leading zeros included.
char* putDigits(char* out, std::uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + count;
}

constexpr std::array<double, kFastPathMaxDecimals + 1> kScales = {1e0, 1e1, 1e2, 1e3, 1e4,
                                                                  1e5, 1e6, 1e7, 1e8, 1e9};
// Doubles must be rounded as doubles, not kept wider (x87).
static_assert(FLT_EVAL_METHOD == 0);
// Below this, adding and taking away 2^52 rounds a double to an integer.
constexpr double kTwoToThe52 = 4503599627370496.0;

// A float has 24 significant bits and 10^9 needs 21 beyond its factor of two,
// so the value times 10^decimals is exact in a double; rounded to an integer
// (ties to even, the rounding every double sum makes) it is the exact rounding
// of the value itself. Returns nullptr when the scaled value is too large.
char* formatFast(char* out, float value, const NumberMask& mask) {
    const int decimals = mask.decimals;
    const double scaled = std::fabs(static_cast<double>(value)) * kScales[static_cast<std::size_t>(decimals)];
    if (!(scaled < kTwoToThe52)) return nullptr;
    const auto digits = static_cast<std::uint64_t>((scaled + kTwoToThe52) - kTwoToThe52);
    const std::uint64_t scale = kPowersOfTen[static_cast<std::size_t>(decimals)];
    // Division by a constant for the masks of the export files, not by a variable.
    const std::uint64_t integerPart = decimals == 3   ? digits / 1000
                                      : decimals == 2 ? digits / 100
                                      : decimals == 1 ? digits / 10
                                                      : digits / scale;
    auto fraction = static_cast<std::uint32_t>(digits - integerPart * scale);
    // -0 is zero, not a negative value; a negative that rounds to zero keeps its sign.
    if (value < 0) *out++ = '-';
    if (integerPart < 10 && mask.minimumIntegerDigits <= 1) { // most rates
        *out++ = static_cast<char>('0' + integerPart);
    } else if (integerPart < 100000 && mask.minimumIntegerDigits <= 1) {
        out = putUpToFiveDigits(out, static_cast<std::uint32_t>(integerPart)); // within the room
    } else {
        out = putDigits(out, integerPart, std::max(digitCount(integerPart), mask.minimumIntegerDigits));
    }
    if (decimals > 0) {
        *out++ = '.';
        if (decimals == 3) { // rates
            *out++ = static_cast<char>('0' + fraction / 100);
            return putTwoDigits(out, fraction % 100);
        }
        for (int i = decimals - 1; i >= 0; --i) {
            out[i] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        out += decimals;
    }
    return out;
}

// Decimal digits, most significant first, with the point after `integerDigits`.
struct DecimalExpansion {
    std::array<std::uint8_t, 200> digits{};
    int size = 0;
    int integerDigits = 0;

    void multiply(int factor) {
        int carry = 0;
        for (int i = size - 1; i >= 0; --i) {
            const int product = digits[static_cast<std::size_t>(i)] * factor + carry;
            digits[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(product % 10);
            carry = product / 10;
        }
        while (carry > 0) {
            prepend(static_cast<std::uint8_t>(carry % 10));
            carry /= 10;
        }
    }
    void prepend(std::uint8_t digit) {
        std::memmove(digits.data() + 1, digits.data(), static_cast<std::size_t>(size));
        digits[0] = digit;
        ++size;
        ++integerDigits;
    }
    // Rounds to nearest, ties to even, keeping `keep` leading digits.
    void roundTo(int keep) {
        if (keep >= size) return;
        if (keep < 0) {
            size = 0;
            return;
        }
        const int first = digits[static_cast<std::size_t>(keep)];
        bool laterNonZero = false;
        for (int i = keep + 1; i < size; ++i)
            laterNonZero |= digits[static_cast<std::size_t>(i)] != 0;
        const bool lastOdd = keep > 0 && (digits[static_cast<std::size_t>(keep - 1)] & 1) != 0;
        const bool up = first > 5 || (first == 5 && (laterNonZero || lastOdd));
        size = keep;
        if (!up) return;
        int i = keep - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == 9)
            digits[static_cast<std::size_t>(i--)] = 0;
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            prepend(1);
        }
    }
    int digitAt(int index) const {
        return index >= 0 && index < size ? digits[static_cast<std::size_t>(index)] : 0;
    }
};

DecimalExpansion expand(const Binary& binary) {
    DecimalExpansion expansion;
    std::uint32_t mantissa = binary.mantissa;
    do {
        expansion.prepend(static_cast<std::uint8_t>(mantissa % 10));
        mantissa /= 10;
    } while (mantissa != 0);
    if (binary.exponent >= 0) {
        for (int i = 0; i < binary.exponent; ++i)
            expansion.multiply(2);
    } else {
        // m * 2^-s is m * 5^s shifted s places to the right.
        for (int i = 0; i < -binary.exponent; ++i)
            expansion.multiply(5);
        expansion.integerDigits -= -binary.exponent;
    }
    // Make the integer part explicit: at least one digit, leading zeros in front.
    while (expansion.integerDigits < 1)
        expansion.prepend(0);
    return expansion;
}

// Rare (huge values, long masks): kept out of line so the common path stays small.
[[gnu::noinline]] char* formatExact(char* out, const Binary& binary, const NumberMask& mask) {
    DecimalExpansion expansion = expand(binary);
    int firstSignificant = 0;
    while (firstSignificant < expansion.size &&
           expansion.digits[static_cast<std::size_t>(firstSignificant)] == 0)
        ++firstSignificant;
    expansion.roundTo(firstSignificant + kSignificantDigits);
    expansion.roundTo(expansion.integerDigits + mask.decimals);

    TextBuilder text(out);
    if (binary.negative) text.put('-');
    int leading = 0;
    while (leading < expansion.integerDigits - 1 && expansion.digitAt(leading) == 0)
        ++leading;
    text.putZeros(mask.minimumIntegerDigits - (expansion.integerDigits - leading));
    for (int i = leading; i < expansion.integerDigits; ++i)
        text.put(static_cast<char>('0' + expansion.digitAt(i)));
    if (mask.decimals > 0) {
        text.put('.');
        for (int i = 0; i < mask.decimals; ++i)
            text.put(static_cast<char>('0' + expansion.digitAt(expansion.integerDigits + i)));
    }
    return text.end();
}

[[gnu::noinline]] char* formatNonFinite(char* out, const Binary& binary) {
    TextBuilder text(out);
    const char* word = binary.mantissa & 0x7FFFFF ? "NaN" : (binary.negative ? "-Infinity" : "Infinity");
    while (*word != '\0')
        text.put(*word++);
    return text.end();
}

} // namespace

char* formatWithMaskInto(char* out, float value, const NumberMask& mask) {
    if (!isValidMask(mask)) [[unlikely]]
        throw std::invalid_argument("number mask beyond 40 integer places or 40 decimals");
    // Not a number and the infinities are never below 2^52: they take the long way.
    if (mask.decimals <= kFastPathMaxDecimals) {
        if (char* end = formatFast(out, value, mask)) return end;
    }
    const Binary binary = decompose(value);
    if (!binary.finite) return formatNonFinite(out, binary);
    return formatExact(out, binary, mask);
}

MaskedText formatWithMask(float value, const NumberMask& mask) {
    MaskedText text;
    text.setSize(static_cast<std::size_t>(formatWithMaskInto(text.data(), value, mask) - text.data()));
    return text;
}

double maskedValue(float value, const NumberMask& mask) {
    MaskedText text = formatWithMask(value, mask);
    double printed = 0;
    std::from_chars(text.view().data(), text.view().data() + text.view().size(), printed);
    return printed;
}

} // namespace boxloom
