#include "demo_season.h"
#include "export_run.h"
#include "league_files.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;
using boxloom::kLeagueFileNames;
using boxloom::kStatsFileName;

constexpr std::uint64_t kRecords = 1000000;

struct BenchSeason {
    fs::path season = fs::temp_directory_path() / "boxloom-bench-league";
    fs::path output = fs::temp_directory_path() / "boxloom-bench-output";
    BenchSeason() {
        fs::create_directories(season);
        fs::create_directories(output);
        if (fs::exists(season / kStatsFileName) && fs::file_size(season / kStatsFileName) >= kRecords * 302)
            return;
        boxloom::writeDemoSeason(season.string(), {.seed = 11, .records = kRecords});
    }
};

const BenchSeason& benchSeason() {
    static const BenchSeason season;
    return season;
}

boxloom::ExportOptions exportOptions() {
    boxloom::ExportOptions options;
    options.seasonFolder = benchSeason().season.string();
    options.outputFolder = benchSeason().output.string();
    options.pitcherHitting = boxloom::PitcherHittingMode::GroupByTeam;
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    return options;
}

std::uint64_t outputBytes() {
    std::uint64_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(benchSeason().output))
        bytes += entry.file_size();
    return bytes;
}

std::uint64_t inputBytes() {
    std::uint64_t bytes = 0;
    for (const std::string_view name : kLeagueFileNames)
        bytes += fs::file_size(benchSeason().season / name);
    return bytes;
}

// Exports again and again into a folder that holds the previous iteration's
// export, the usual case; the argument is the number of threads.
void exportRepeatedly(benchmark::State& state, boxloom::ExportOptions options) {
    options.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        const auto outcome = boxloom::runExport(options);
        if (!outcome.succeeded()) state.SkipWithError("export failed");
    }
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(kRecords), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_FullExport(benchmark::State& state) {
    exportRepeatedly(state, exportOptions());
    state.counters["out MB/s"] = benchmark::Counter(static_cast<double>(outputBytes()) / 1e6,
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FullExport)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Texts decoded into UTF-8 and the two id columns added to every row.
void BM_FullExportUtf8WithIds(benchmark::State& state) {
    auto options = exportOptions();
    options.encoding = boxloom::TextEncoding::Utf8;
    options.includeIds = true;
    exportRepeatedly(state, options);
}
BENCHMARK(BM_FullExportUtf8WithIds)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The floor of this job: read the same input and write as many bytes, buffered.
void BM_ReadWriteBaseline(benchmark::State& state) {
    benchmark::DoNotOptimize(benchSeason());
    const boxloom::ExportOptions options = exportOptions();
    boxloom::runExport(options); // so that the output size is known
    const std::uint64_t toWrite = outputBytes();
    const fs::path target = benchSeason().output / "baseline.bin";
    std::vector<char> buffer(1 << 17, 'x');
    for (auto _ : state) {
        for (const std::string_view name : kLeagueFileNames) {
            std::FILE* in = std::fopen((benchSeason().season / name).string().c_str(), "rb");
            while (std::fread(buffer.data(), 1, buffer.size(), in) > 0)
                benchmark::ClobberMemory();
            std::fclose(in);
        }
        std::FILE* out = std::fopen(target.string().c_str(), "wb");
        for (std::uint64_t left = toWrite; left > 0;) {
            const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
            std::fwrite(buffer.data(), 1, chunk, out);
            left -= chunk;
        }
        std::fclose(out);
    }
    fs::remove(target);
    state.counters["in MB"] = static_cast<double>(inputBytes()) / 1e6;
    state.counters["out MB"] = static_cast<double>(toWrite) / 1e6;
}
BENCHMARK(BM_ReadWriteBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
