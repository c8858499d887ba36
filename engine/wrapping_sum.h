#pragma once

// Sums of counters are 32-bit and wrap two's-complement past 2^31 - 1, the
// result every 32-bit machine gives; computed unsigned so that the wrap is
// defined behaviour at every optimisation level.

#include <cstdint>

namespace boxloom {

constexpr std::int32_t wrappingAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

constexpr std::int32_t wrappingMultiply(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

template <class... More> constexpr std::int32_t wrappingSum(std::int32_t first, More... more) {
    std::int32_t sum = first;
    ((sum = wrappingAdd(sum, more)), ...);
    return sum;
}

} // namespace boxloom
