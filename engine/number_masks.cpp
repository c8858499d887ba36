#include "number_masks.h"

#include <array>
#include <cstring>

namespace boxloom {

namespace {

constexpr int kSignificantDigits = 18;
constexpr int kFastPathMaxDecimals = 9;

constexpr std::array<std::uint64_t, kFastPathMaxDecimals + 1> kPowersOfTen = {
    1,      10,      100,      1000,      10000,
    100000, 1000000, 10000000, 100000000, 1000000000};

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
    explicit TextBuilder(MaskedText& text) : text_(text), cursor_(text.data()) {}
    void put(char c) { *cursor_++ = c; }
    void putZeros(int count) {
        for (int i = 0; i < count; ++i) put('0');
    }
    void finish() { text_.setSize(static_cast<std::size_t>(cursor_ - text_.data())); }

private:
    MaskedText& text_;
    char* cursor_;
};

void putUnsigned(TextBuilder& out, std::uint64_t value, int minimumDigits) {
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    out.putZeros(minimumDigits - count);
    while (count > 0) out.put(digits[--count]);
}

// Exact for every float below 1e18 and up to nine decimals: no float of that
// range lies close enough to a rounding tie for the 18-digit step to matter.
MaskedText formatFast(const Binary& binary, const NumberMask& mask) {
    const int decimals = mask.decimals;
    const std::uint64_t scale = kPowersOfTen[static_cast<std::size_t>(decimals)];
    std::uint64_t integerPart = 0;
    std::uint64_t scaledFraction = 0;
    if (binary.exponent >= 0) {
        integerPart = static_cast<std::uint64_t>(binary.mantissa) << binary.exponent;
    } else {
        const int shift = -binary.exponent;
        std::uint64_t fractionBits = binary.mantissa;
        if (shift < 32) {
            integerPart = binary.mantissa >> shift;
            fractionBits = binary.mantissa & ((1u << shift) - 1);
        }
        const std::uint64_t numerator = fractionBits * scale;
        if (shift < 64) {
            scaledFraction = numerator >> shift;
            const std::uint64_t remainder = numerator & ((std::uint64_t{1} << shift) - 1);
            const std::uint64_t half = std::uint64_t{1} << (shift - 1);
            const std::uint64_t lastKept = decimals > 0 ? scaledFraction : integerPart;
            if (remainder > half || (remainder == half && (lastKept & 1) != 0)) {
                if (++scaledFraction == scale) {
                    scaledFraction = 0;
                    ++integerPart;
                }
            }
        }
    }
    MaskedText text;
    TextBuilder out(text);
    if (binary.negative) out.put('-');
    putUnsigned(out, integerPart, mask.minimumIntegerDigits);
    if (decimals > 0) {
        out.put('.');
        putUnsigned(out, scaledFraction, decimals);
    }
    out.finish();
    return text;
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
        for (int i = keep + 1; i < size; ++i) laterNonZero |= digits[static_cast<std::size_t>(i)] != 0;
        const bool lastOdd = keep > 0 && (digits[static_cast<std::size_t>(keep - 1)] & 1) != 0;
        const bool up = first > 5 || (first == 5 && (laterNonZero || lastOdd));
        size = keep;
        if (!up) return;
        int i = keep - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == 9) digits[static_cast<std::size_t>(i--)] = 0;
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
        for (int i = 0; i < binary.exponent; ++i) expansion.multiply(2);
    } else {
        // m * 2^-s is m * 5^s shifted s places to the right.
        for (int i = 0; i < -binary.exponent; ++i) expansion.multiply(5);
        expansion.integerDigits -= -binary.exponent;
    }
    // Make the integer part explicit: at least one digit, leading zeros in front.
    while (expansion.integerDigits < 1) expansion.prepend(0);
    return expansion;
}

MaskedText formatExact(const Binary& binary, const NumberMask& mask) {
    DecimalExpansion expansion = expand(binary);
    int firstSignificant = 0;
    while (firstSignificant < expansion.size && expansion.digits[static_cast<std::size_t>(firstSignificant)] == 0)
        ++firstSignificant;
    expansion.roundTo(firstSignificant + kSignificantDigits);
    expansion.roundTo(expansion.integerDigits + mask.decimals);

    MaskedText text;
    TextBuilder out(text);
    if (binary.negative) out.put('-');
    int leading = 0;
    while (leading < expansion.integerDigits - 1 && expansion.digitAt(leading) == 0) ++leading;
    out.putZeros(mask.minimumIntegerDigits - (expansion.integerDigits - leading));
    for (int i = leading; i < expansion.integerDigits; ++i) out.put(static_cast<char>('0' + expansion.digitAt(i)));
    if (mask.decimals > 0) {
        out.put('.');
        for (int i = 0; i < mask.decimals; ++i)
            out.put(static_cast<char>('0' + expansion.digitAt(expansion.integerDigits + i)));
    }
    out.finish();
    return text;
}

MaskedText formatNonFinite(const Binary& binary) {
    MaskedText text;
    TextBuilder out(text);
    const char* word = binary.mantissa & 0x7FFFFF ? "NaN" : (binary.negative ? "-Infinity" : "Infinity");
    while (*word != '\0') out.put(*word++);
    out.finish();
    return text;
}

} // namespace

MaskedText formatWithMask(float value, const NumberMask& mask) {
    const Binary binary = decompose(value);
    if (!binary.finite) return formatNonFinite(binary);
    const bool small = binary.exponent < 36 || (binary.exponent == 36 && binary.mantissa < 14551915);
    if (small && mask.decimals <= kFastPathMaxDecimals) return formatFast(binary, mask);
    return formatExact(binary, mask);
}

MaskedText formatWithMask(float value, std::string_view mask) {
    return formatWithMask(value, parseMask(mask));
}

} // namespace boxloom
