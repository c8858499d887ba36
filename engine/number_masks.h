#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace boxloom {

// A picture such as "##.000": integer placeholders ("#" or "0"), ".", then D "0"s.
struct NumberMask {
    int decimals = 0;
    // A "0" placeholder left of the value's first digit adds a leading zero.
    int minimumIntegerDigits = 1;
};

inline constexpr int kMaxMaskDecimals = 40;

// Masks of other shapes are never used by the export; their text is unspecified
// but safe (decimals are capped at kMaxMaskDecimals).
constexpr NumberMask parseMask(std::string_view mask) {
    NumberMask parsed;
    const std::size_t point = mask.find('.');
    const std::string_view integer = mask.substr(0, point);
    const std::size_t firstZero = integer.find('0');
    if (firstZero != std::string_view::npos)
        parsed.minimumIntegerDigits = static_cast<int>(integer.size() - firstZero);
    if (point != std::string_view::npos) {
        const std::size_t decimals = mask.size() - point - 1;
        parsed.decimals = decimals > kMaxMaskDecimals ? kMaxMaskDecimals : static_cast<int>(decimals);
    }
    return parsed;
}

inline constexpr NumberMask kMaskRate = parseMask("##.000");
inline constexpr NumberMask kMaskOnBase = parseMask("#.000");
inline constexpr NumberMask kMaskEra = parseMask("0.00");
inline constexpr NumberMask kMaskInnings = parseMask("0.0");

// The text of one formatted value, held inline: formatting never allocates.
class MaskedText {
public:
    static constexpr std::size_t kCapacity = 96;
    std::string_view view() const { return {text_, size_}; }
    char* data() { return text_; }
    void setSize(std::size_t size) { size_ = static_cast<std::uint8_t>(size); }

private:
    char text_[kCapacity];
    std::uint8_t size_ = 0;
};

// Decimal expansion to 18 significant digits, then D decimals, exact ties to
// even, every integer digit kept, "-" on negatives (also when they round to 0).
// Independent of the C library and the locale.
MaskedText formatWithMask(float value, const NumberMask& mask);
// Writes the text at `out` (room for MaskedText::kCapacity bytes); returns its end.
char* formatWithMaskInto(char* out, float value, const NumberMask& mask);
MaskedText formatWithMask(float value, std::string_view mask);

} // namespace boxloom
