#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace boxloom {

// A picture such as "##.000": integer placeholders ("#" or "0"), ".", then D "0"s.
struct NumberMask {
    int decimals = 0;
    // A "0" placeholder left of the value's first digit adds a leading zero.
    int minimumIntegerDigits = 1;
};

// The longest masks accepted: up to 40 characters before the point and 40
// decimals. Longer ones are rejected with std::invalid_argument.
inline constexpr int kMaxMaskIntegerDigits = 40;
inline constexpr int kMaxMaskDecimals = 40;

constexpr bool isValidMask(const NumberMask& mask) {
    return mask.decimals >= 0 && mask.decimals <= kMaxMaskDecimals && mask.minimumIntegerDigits >= 0 &&
           mask.minimumIntegerDigits <= kMaxMaskIntegerDigits;
}

// Masks of other shapes are never used by the export; their text is not defined
// but safe. A constant mask beyond the limits does not compile.
constexpr NumberMask parseMask(std::string_view mask) {
    NumberMask parsed;
    const std::size_t point = mask.find('.');
    const std::string_view integer = mask.substr(0, point);
    const std::size_t decimals = point == std::string_view::npos ? 0 : mask.size() - point - 1;
    if (integer.size() > kMaxMaskIntegerDigits || decimals > kMaxMaskDecimals)
        throw std::invalid_argument("number mask longer than 40 places on either side of the point");
    const std::size_t firstZero = integer.find('0');
    if (firstZero != std::string_view::npos)
        parsed.minimumIntegerDigits = static_cast<int>(integer.size() - firstZero);
    parsed.decimals = static_cast<int>(decimals);
    return parsed;
}

inline constexpr NumberMask kMaskRate = parseMask("##.000");
inline constexpr NumberMask kMaskOnBase = parseMask("#.000");
inline constexpr NumberMask kMaskEra = parseMask("0.00");
inline constexpr NumberMask kMaskInnings = parseMask("0.0");

// The text of one formatted value, held inline: formatting never allocates.
class MaskedText {
public:
    // A sign, the 39 integer digits of the largest float or 40 placeholders, the point, 40 decimals.
    static constexpr std::size_t kCapacity = 96;
    static_assert(kCapacity >= 1 + kMaxMaskIntegerDigits + 1 + kMaxMaskDecimals);
    std::string_view view() const { return {text_, size_}; }
    char* data() { return text_; }
    void setSize(std::size_t size) { size_ = static_cast<std::uint8_t>(size); }

private:
    char text_[kCapacity];
    std::uint8_t size_ = 0;
};

// Decimal expansion to 18 significant digits, then D decimals, exact ties to
// even, every integer digit kept, "-" on negatives (also when they round to 0).
// Independent of the C library and the locale. A mask that is not valid
// (isValidMask) throws std::invalid_argument.
MaskedText formatWithMask(float value, const NumberMask& mask);
// Writes the text at `out` (room for MaskedText::kCapacity bytes); returns its end.
char* formatWithMaskInto(char* out, float value, const NumberMask& mask);
// The value its mask prints, as the nearest double (-0.0 for a negative that
// prints as zero): what a reader of the text would take.
double maskedValue(float value, const NumberMask& mask);

} // namespace boxloom
