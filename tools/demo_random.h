#pragma once

#include <cstdint>

namespace boxloom::demo {

// A small generator with every step fixed: the same seed gives the same league
// on every platform. Standard distributions are avoided on purpose, since their
// results differ between standard libraries.
class Random {
public:
    explicit Random(std::uint64_t seed, std::uint64_t stream = 0)
        : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull + stream * 0xD1B54A32D192ED03ull) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high]; high < low gives low.
    int between(int low, int high) {
        if (high <= low) return low;
        // A multiply and a shift instead of a division: the high 32 bits scaled to the range.
        const std::uint64_t range = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<int>(((next() >> 32) * range) >> 32);
    }
    // True with a chance of `per10000` in ten thousand.
    bool chance(int per10000) { return between(0, 9999) < per10000; }
    // Bell-shaped around `mean`, within ±spread: the sum of three uniform draws.
    int bell(int mean, int spread) {
        const int third = spread / 3;
        return mean + between(-third, third) + between(-third, third) + between(-third, third);
    }

private:
    std::uint64_t state_;
};

} // namespace boxloom::demo
