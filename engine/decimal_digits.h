#pragma once

// Two decimal digits at a time from a table: half the divisions of one at a time.

#include <cstdint>
#include <cstring>

namespace boxloom {

// Writes `twoDigits` (0 to 99) as two characters, a leading zero included.
inline char* putTwoDigits(char* out, std::uint32_t twoDigits) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    std::memcpy(out, kPairs + 2 * twoDigits, 2);
    return out + 2;
}

} // namespace boxloom
