#include "number_masks.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <random>
#include <vector>

namespace {

// Rates as the export produces them: averages, ERAs and innings of a season.
std::vector<std::pair<float, boxloom::NumberMask>> realisticRates() {
    std::mt19937 random(42);
    std::vector<std::pair<float, boxloom::NumberMask>> rates;
    for (int i = 0; i < 4096; ++i) {
        const int atBats = static_cast<int>(random() % 600) + 1;
        const int hits = static_cast<int>(random() % static_cast<unsigned>(atBats / 3 + 1));
        const int outs = static_cast<int>(random() % 700) + 1;
        const int earned = static_cast<int>(random() % 120);
        rates.push_back({static_cast<float>(static_cast<double>(hits) / atBats), boxloom::kMaskRate});
        rates.push_back(
            {static_cast<float>(static_cast<double>(hits + 20) / (atBats + 30)), boxloom::kMaskOnBase});
        rates.push_back({static_cast<float>(earned * 27.0 / outs), boxloom::kMaskEra});
        rates.push_back({static_cast<float>(outs / 3 + (outs % 3) / 10.0), boxloom::kMaskInnings});
    }
    return rates;
}

const auto& rates() {
    static const auto values = realisticRates();
    return values;
}

void BM_FormatWithMask(benchmark::State& state) {
    const auto& values = rates();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [value, mask] = values[i++ & (values.size() - 1)];
        auto text = boxloom::formatWithMask(value, mask);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FormatWithMask);

void BM_ToCharsFixed(benchmark::State& state) {
    const auto& values = rates();
    std::size_t i = 0;
    std::array<char, 64> buffer{};
    for (auto _ : state) {
        const auto& [value, mask] = values[i++ & (values.size() - 1)];
        auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<double>(value),
                                    std::chars_format::fixed, mask.decimals);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(BM_ToCharsFixed);

} // namespace
