#include "demo_season.h"
#include "export_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace boxloom {
namespace {

// The golden files were made by scripts/update-golden from this season and
// these options, and checked by hand once; any change in any byte is a fault.
constexpr std::uint64_t kGoldenSeed = 7;

class Golden : public ::testing::TestWithParam<unsigned> {};

TEST_P(Golden, DemoSeasonExportMatchesTheGoldenFilesByteForByte) {
    testing::TempFolder season, output;
    ASSERT_EQ(writeDemoSeason(season.str(), {.seed = kGoldenSeed}).error, "");
    ExportOptions options;
    options.seasonFolder = season.str();
    options.outputFolder = output.str();
    options.pitcherHitting = PitcherHittingMode::GroupByTeam;
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    options.threads = GetParam();
    ASSERT_TRUE(runExport(options).succeeded());
    const std::vector<std::string> files = {"Batting_Splits.CSV", "Batting_Stats.CSV", "Fielding_Stats.CSV",
                                            "Pitching_Splits.CSV", "Pitching_Stats.CSV"};
    ASSERT_EQ(output.fileNames(), files);
    for (const auto& name : files) {
        const std::string golden = testing::readFile(std::string(BOXLOOM_GOLDEN_DIR) + "/" + name);
        const std::string actual = testing::readFile(output.file(name));
        EXPECT_TRUE(actual == golden) << name << " differs from the golden file (" << actual.size()
                                      << " bytes, golden " << golden.size() << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Threads, Golden, ::testing::Values(1u, 2u, 3u, 8u));

} // namespace
} // namespace boxloom
