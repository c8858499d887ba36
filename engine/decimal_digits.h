#pragma once

// Two decimal digits at a time from a table: half the divisions of one at a time.

#include <bit>
#include <cstdint>
#include <cstring>

namespace boxloom {

// Writes `twoDigits` (0 to 99) as two characters, a leading zero included.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

inline char* putTwoDigits(char* out, std::uint32_t twoDigits) {
    std::memcpy(out, kDigitPairs + 2 * twoDigits, 2);
    return out + 2;
}

// Writes `value` (below 100,000) without leading zeros; returns the end. Up to
// eight bytes at `out` may be written. Counters of every width take the same
// steps: no branch on the number of digits to mispredict.
inline char* putUpToFiveDigits(char* out, std::uint32_t value) {
    const int digits = 1 + (value >= 10) + (value >= 100) + (value >= 1000) + (value >= 10000);
    const std::uint32_t first = value / 10000;
    const std::uint32_t rest = value - first * 10000;
    const std::uint32_t middle = rest / 100;
    if constexpr (std::endian::native == std::endian::little) {
        std::uint16_t pairs[2];
        std::memcpy(&pairs[0], kDigitPairs + 2 * middle, 2);
        std::memcpy(&pairs[1], kDigitPairs + 2 * (rest - middle * 100), 2);
        // The five digits, first in the lowest byte; the leading zeros shifted out.
        const std::uint64_t text =
            (std::uint64_t{'0' + first}) | (std::uint64_t{pairs[0]} << 8) | (std::uint64_t{pairs[1]} << 24);
        const std::uint64_t shifted = text >> (8 * (5 - digits));
        std::memcpy(out, &shifted, 8);
    } else {
        char text[5] = {static_cast<char>('0' + first)};
        putTwoDigits(putTwoDigits(text + 1, middle), rest - middle * 100);
        std::memcpy(out, text + 5 - digits, static_cast<std::size_t>(digits));
    }
    return out + digits;
}

} // namespace boxloom
