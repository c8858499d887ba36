#include "mask_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace boxloom::testing {

namespace {

// A non-negative integer of any size, 32 bits a limb, least significant first.
class BigNumber {
public:
    explicit BigNumber(std::uint64_t value) {
        for (; value != 0; value >>= 32)
            limbs_.push_back(static_cast<std::uint32_t>(value));
    }
    bool isZero() const { return limbs_.empty(); }

    void shiftLeft(int bits) {
        for (; bits >= 32; bits -= 32)
            limbs_.insert(limbs_.begin(), 0);
        if (bits == 0 || isZero()) return;
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t wide = (static_cast<std::uint64_t>(limb) << bits) | carry;
            limb = static_cast<std::uint32_t>(wide);
            carry = static_cast<std::uint32_t>(wide >> 32);
        }
        if (carry != 0) limbs_.push_back(carry);
    }
    void multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t wide = static_cast<std::uint64_t>(limb) * factor + carry;
            limb = static_cast<std::uint32_t>(wide);
            carry = wide >> 32;
        }
        if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
        trim();
    }
    // Divides in place and returns the remainder.
    std::uint32_t divide(std::uint32_t divisor) {
        std::uint64_t remainder = 0;
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            const std::uint64_t wide = (remainder << 32) | limbs_[i];
            limbs_[i] = static_cast<std::uint32_t>(wide / divisor);
            remainder = wide % divisor;
        }
        trim();
        return static_cast<std::uint32_t>(remainder);
    }
    // The bits from `bit` upward, as a small number; those bits are then cleared.
    std::uint32_t takeBitsFrom(int bit) {
        std::uint32_t taken = 0;
        for (int i = 0; i < 32; ++i) {
            const std::size_t at = static_cast<std::size_t>(bit + i);
            if (at / 32 >= limbs_.size()) break;
            std::uint32_t& limb = limbs_[at / 32];
            const std::uint32_t mask = std::uint32_t{1} << (at % 32);
            if (limb & mask) taken |= std::uint32_t{1} << i;
            limb &= ~mask;
        }
        trim();
        return taken;
    }

private:
    void trim() {
        while (!limbs_.empty() && limbs_.back() == 0)
            limbs_.pop_back();
    }
    std::vector<std::uint32_t> limbs_;
};

// Rounds the digit string to its first `keep` digits, half to even, carrying left.
void roundDigits(std::string& digits, int& pointAt, int keep) {
    if (keep < 0) {
        digits.clear();
        return;
    }
    if (static_cast<std::size_t>(keep) >= digits.size()) return;
    const char first = digits[static_cast<std::size_t>(keep)];
    const bool laterNonZero =
        digits.find_first_not_of('0', static_cast<std::size_t>(keep) + 1) != std::string::npos;
    const bool lastOdd = keep > 0 && (digits[static_cast<std::size_t>(keep) - 1] - '0') % 2 == 1;
    digits.resize(static_cast<std::size_t>(keep));
    if (!(first > '5' || (first == '5' && (laterNonZero || lastOdd)))) return;
    int i = keep - 1;
    for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
        digits[static_cast<std::size_t>(i)] = '0';
    if (i >= 0) {
        ++digits[static_cast<std::size_t>(i)];
    } else {
        digits.insert(digits.begin(), '1');
        ++pointAt;
    }
}

} // namespace

std::string referenceMaskText(float value, int minimumIntegerDigits, int decimals) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(static_cast<double>(value)), &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
    const int shift = 24 - exponent; // |value| = mantissa / 2^shift

    std::string integerDigits;
    std::string fractionDigits;
    if (shift <= 0) {
        BigNumber whole(mantissa);
        whole.shiftLeft(-shift);
        do {
            integerDigits.insert(integerDigits.begin(), static_cast<char>('0' + whole.divide(10)));
        } while (!whole.isZero());
    } else {
        integerDigits = std::to_string(shift >= 64 ? 0 : mantissa >> shift);
        BigNumber remainder(shift >= 64 ? mantissa : mantissa & ((std::uint64_t{1} << shift) - 1));
        // Long division by 2^shift: each step's digit is what rises above the binary point.
        while (!remainder.isZero()) {
            remainder.multiply(10);
            fractionDigits += static_cast<char>('0' + remainder.takeBitsFrom(shift));
        }
    }

    std::string digits = integerDigits + fractionDigits;
    int pointAt = static_cast<int>(integerDigits.size());
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant != std::string::npos)
        roundDigits(digits, pointAt, static_cast<int>(firstSignificant) + 18);
    roundDigits(digits, pointAt, pointAt + decimals);
    digits.resize(static_cast<std::size_t>(pointAt + decimals), '0');

    std::string whole = digits.substr(0, static_cast<std::size_t>(pointAt));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    if (whole.empty()) whole = "0";
    if (static_cast<int>(whole.size()) < minimumIntegerDigits)
        whole.insert(0, static_cast<std::size_t>(minimumIntegerDigits) - whole.size(), '0');
    std::string text = (std::signbit(value) && value != 0 ? "-" : "") + whole;
    if (decimals > 0) text += "." + digits.substr(static_cast<std::size_t>(pointAt));
    return text;
}

} // namespace boxloom::testing
