// The same bytes for any number of formatting threads, and failures that end
// the run whichever thread meets them.

#include "demo_season.h"
#include "export_pipeline.h"
#include "export_run.h"
#include "memory_io.h"
#include "paths.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>

namespace boxloom {
namespace {

using testing::MemoryLeagueFiles;
using testing::MemoryOutputs;

MemoryLeagueFiles seasonOf(std::size_t records, std::uint64_t seed) {
    DemoSeasonBytes season = makeDemoSeason({.seed = seed, .records = records});
    season.stats.resize(records * kSeasonRecordSize); // exactly this many, around a chunk's size
    MemoryLeagueFiles files;
    files.files[joinPath("season", "zelteam.dat")] = season.teams;
    files.files[joinPath("season", "zelplyr.dat")] = season.players;
    files.files[joinPath("season", "zelgs.dat")] = season.stats;
    return files;
}

std::map<std::string, std::string> exportWith(MemoryLeagueFiles league, ExportOptions options,
                                              unsigned threads) {
    options.seasonFolder = "season";
    options.outputFolder = "out";
    options.threads = threads;
    MemoryOutputs outputs;
    const ExportOutcome outcome = runExport(options, {}, ExportIo{league, outputs});
    EXPECT_TRUE(outcome.succeeded()) << threads << " threads";
    return outputs.folder;
}

// Every pitcher-hitting mode and file switch; notation, encoding and ids rotate.
std::vector<ExportOptions> optionCombinations() {
    std::vector<ExportOptions> all;
    int turn = 0;
    for (auto mode :
         {PitcherHittingMode::Include, PitcherHittingMode::GroupByTeam, PitcherHittingMode::Ignore})
        for (int switches = 0; switches < 8; ++switches, ++turn) {
            ExportOptions options;
            options.pitcherHitting = mode;
            options.includeFielding = switches & 1;
            options.includePitchingSplits = switches & 2;
            options.includeHittingSplits = switches & 4;
            options.teamNotation = static_cast<TeamNotation>(turn % 5);
            options.encoding = static_cast<TextEncoding>(turn % 3);
            options.includeIds = turn % 2 == 1;
            all.push_back(options);
        }
    return all;
}

class SeasonSizes : public ::testing::TestWithParam<std::size_t> {};

TEST_P(SeasonSizes, GiveTheSameBytesForAnyNumberOfThreads) {
    const MemoryLeagueFiles league = seasonOf(GetParam(), GetParam());
    for (const ExportOptions& options : optionCombinations()) {
        const auto single = exportWith(league, options, 1);
        for (unsigned threads : {2u, 3u, 8u})
            EXPECT_TRUE(exportWith(league, options, threads) == single)
                << threads << " threads, mode " << static_cast<int>(options.pitcherHitting);
    }
}

// Smaller than a chunk, exactly one, one record more, and several with a partial last one.
INSTANTIATE_TEST_SUITE_P(AroundTheChunk, SeasonSizes,
                         ::testing::Values(std::size_t{100}, kChunkRecords, kChunkRecords + 1,
                                           3 * kChunkRecords + 17));

TEST(ThreadedExport, CountsAreTheSameForAnyNumberOfThreads) {
    MemoryLeagueFiles league = seasonOf(3 * kChunkRecords + 5, 9);
    auto& stats = league.files[joinPath("season", "zelgs.dat")];
    stats[kChunkRecords * kSeasonRecordSize + 8] = 200; // a team number outside the table: skipped
    std::vector<ExportOutcome> outcomes;
    for (unsigned threads : {1u, 2u, 8u}) {
        ExportOptions options;
        options.seasonFolder = "season";
        options.outputFolder = "out";
        options.threads = threads;
        MemoryOutputs outputs;
        MemoryLeagueFiles copy = league;
        outcomes.push_back(runExport(options, {}, ExportIo{copy, outputs}));
    }
    for (const ExportOutcome& outcome : outcomes) {
        EXPECT_EQ(outcome.recordsRead, outcomes[0].recordsRead);
        EXPECT_EQ(outcome.recordsAccepted, outcomes[0].recordsAccepted);
        EXPECT_EQ(outcome.recordsSkipped, 1u);
        EXPECT_EQ(outcome.rowsWritten, outcomes[0].rowsWritten);
    }
}

std::map<std::string, std::string> earlierFiles() {
    std::map<std::string, std::string> files;
    for (ExportFileKind kind : kExportFileKinds)
        files[joinPath("out", exportFileName(kind, "CSV"))] = "earlier\r\n";
    return files;
}

struct ThreadFault {
    const char* name;
    unsigned threads;
    bool inWorker; // otherwise in the writer: a file's write fails mid-file
};

class ThreadFaults : public ::testing::TestWithParam<ThreadFault> {};

TEST_P(ThreadFaults, EndTheRunFailedWithEveryEarlierFileWhole) {
    MemoryLeagueFiles league = seasonOf(6 * kChunkRecords, 4);
    MemoryOutputs outputs;
    outputs.folder = earlierFiles();
    ExportOptions options;
    options.seasonFolder = "season";
    options.outputFolder = "out";
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    options.threads = GetParam().threads;
    ExportIo io{league, outputs};
    auto formatted = std::make_shared<std::atomic<int>>(0);
    if (GetParam().inWorker) {
        // The third chunk to be formatted fails, on whichever thread formats it.
        io.chunkFormatter = [formatted](ChunkFormatter format) -> ChunkFormatter {
            return [format, formatted](const std::uint8_t* records, std::size_t count, const RowTargets& rows,
                                       PitcherTotals& grouped) {
                if (++*formatted == 3) throw std::runtime_error("planted fault");
                return format(records, count, rows, grouped);
            };
        };
    } else {
        outputs.faults = {
            {testing::FaultAt::Write, joinPath("out", "Batting_Splits.CSV"), 300000, "disk full"}};
    }
    std::vector<std::string> statuses;
    const ExportOutcome outcome = runExport(
        options, [&](std::string_view status) { statuses.emplace_back(status); }, io);
    ASSERT_EQ(outcome.problems.size(), 1u);
    if (GetParam().inWorker) {
        EXPECT_EQ(outcome.problems[0].file, joinPath("season", "zelgs.dat"));
        EXPECT_EQ(outcome.problems[0].reason, "records could not be formatted: planted fault");
    } else {
        EXPECT_EQ(outcome.problems[0].file, joinPath("out", "Batting_Splits.CSV"));
        EXPECT_EQ(outcome.problems[0].reason, "disk full");
    }
    EXPECT_EQ(statuses.back(), "FAILED");
    EXPECT_EQ(outputs.folder, earlierFiles()) << "a file was replaced or a temporary file left";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ThreadFaults,
    ::testing::Values(ThreadFault{"WorkerOneThread", 1, true}, ThreadFault{"WorkerTwoThreads", 2, true},
                      ThreadFault{"WorkerEightThreads", 8, true}, ThreadFault{"WriterOneThread", 1, false},
                      ThreadFault{"WriterTwoThreads", 2, false}, ThreadFault{"WriterEightThreads", 8, false}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace boxloom
