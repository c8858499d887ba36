// Every way writing the export files can fail, through the in-memory file seam.

#include "demo_season.h"
#include "export_run.h"
#include "memory_io.h"
#include "paths.h"
#include "season_input.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <sstream>

namespace boxloom {
namespace {

using testing::Fault;
using testing::FaultAt;
using testing::MemoryLeagueFiles;
using testing::MemoryOutputs;

constexpr const char* kSeasonFolder = "season";
constexpr const char* kOutputFolder = "out";

std::string exportPath(ExportFileKind kind) { return joinPath(kOutputFolder, exportFileName(kind, "CSV")); }

ExportOptions everyFile() {
    ExportOptions options;
    options.seasonFolder = kSeasonFolder;
    options.outputFolder = kOutputFolder;
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    return options;
}

// A demo season large enough that every file takes several writes.
const MemoryLeagueFiles& demoLeague() {
    static const MemoryLeagueFiles league = [] {
        const DemoSeasonBytes season = makeDemoSeason({.seed = 7, .records = 3000});
        MemoryLeagueFiles files;
        files.files[joinPath(kSeasonFolder, "zelteam.dat")] = season.teams;
        files.files[joinPath(kSeasonFolder, "zelplyr.dat")] = season.players;
        files.files[joinPath(kSeasonFolder, "zelgs.dat")] = season.stats;
        return files;
    }();
    return league;
}

ExportOutcome exportInto(MemoryOutputs& outputs, MemoryLeagueFiles league = demoLeague()) {
    return runExport(everyFile(), {}, ExportIo{league, outputs});
}

// The files of a run that nothing disturbs.
const std::map<std::string, std::string>& newExport() {
    static const std::map<std::string, std::string> files = [] {
        MemoryOutputs outputs;
        EXPECT_TRUE(exportInto(outputs).succeeded());
        return outputs.folder;
    }();
    return files;
}

std::map<std::string, std::string> earlierExport() {
    std::map<std::string, std::string> files;
    for (ExportFileKind kind : kExportFileKinds)
        files[exportPath(kind)] = "earlier " + exportPath(kind) + "\r\n";
    return files;
}

TEST(ExportFaults, AnUndisturbedRunWritesEveryFileInSeveralWrites) {
    ASSERT_EQ(newExport().size(), kExportFileKindCount);
    for (const auto& [path, bytes] : newExport())
        EXPECT_GT(bytes.size(), std::size_t{1} << 17) << path << " fits one buffer: no mid-file write";
}

enum class Step { Create, FirstWrite, MidFile, LastWrite, Flush, Rename };

struct FaultCase {
    ExportFileKind kind;
    Step step;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    constexpr const char* kSteps[] = {"Create", "FirstWrite", "MidFile", "LastWrite", "Flush", "Rename"};
    *os << exportFileStem(c.kind) << kSteps[static_cast<int>(c.step)];
}

Fault plant(const FaultCase& c) {
    const std::string path = exportPath(c.kind);
    const std::uint64_t size = newExport().at(path).size();
    switch (c.step) {
    case Step::Create: return {FaultAt::Create, path, 0, "permission denied"};
    case Step::FirstWrite: return {FaultAt::Write, path, 0, "disk full"};
    case Step::MidFile: return {FaultAt::Write, path, size / 2, "disk full"};
    case Step::LastWrite: return {FaultAt::Write, path, size - 1, "file too large"};
    case Step::Flush: return {FaultAt::Finish, path, 0, "input/output error"};
    case Step::Rename: return {FaultAt::Replace, path, 0, "in use by another program"};
    }
    return {};
}

class WritingFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(WritingFault, FailsTheRunNamesTheFileAndKeepsEveryEarlierFile) {
    const Fault fault = plant(GetParam());
    MemoryOutputs outputs;
    outputs.folder = earlierExport();
    outputs.faults = {fault};
    std::vector<std::string> statuses;
    MemoryLeagueFiles league = demoLeague();
    const ExportOutcome outcome = runExport(
        everyFile(), [&](std::string_view status) { statuses.emplace_back(status); },
        ExportIo{league, outputs});

    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].file, fault.path);
    EXPECT_EQ(outcome.problems[0].reason, fault.reason);
    EXPECT_TRUE(outcome.earlierFilesKept);
    EXPECT_EQ(statuses.back(), "FAILED");
    EXPECT_EQ(outputs.folder, earlierExport()) << "a file was replaced, or a temporary file was left";
}

TEST_P(WritingFault, LeavesNoFileWhereThereWasNone) {
    MemoryOutputs outputs;
    outputs.faults = {plant(GetParam())};
    EXPECT_FALSE(exportInto(outputs).succeeded());
    EXPECT_TRUE(outputs.folder.empty()) << outputs.folder.begin()->first;
}

std::vector<FaultCase> everyFileAndStep() {
    std::vector<FaultCase> cases;
    for (ExportFileKind kind : kExportFileKinds)
        for (Step step :
             {Step::Create, Step::FirstWrite, Step::MidFile, Step::LastWrite, Step::Flush, Step::Rename})
            cases.push_back({kind, step});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryFileAndStep, WritingFault, ::testing::ValuesIn(everyFileAndStep()),
                         [](const auto& param) {
                             std::ostringstream name;
                             PrintTo(param.param, &name);
                             std::string text = name.str();
                             std::erase_if(text, [](char c) { return c == '_' || c == '.'; });
                             return text;
                         });

// A record of the moves that cannot be written: nothing is moved, and the
// run removes what it wrote of the record.
TEST(ExportFaults, ARecordThatCannotBeWrittenIsRemovedByItsRun) {
    MemoryOutputs outputs;
    outputs.folder = earlierExport();
    const auto before = outputs.folder;
    outputs.faults = {{FaultAt::CommitRecord, "out", 0, "disk full"}};
    const ExportOutcome outcome = exportInto(outputs);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].reason, "the record of the replacement could not be written: disk full");
    EXPECT_FALSE(outputs.commitOpen) << "the record stays";
    EXPECT_TRUE(outputs.folder == before);
}

TEST(ExportFaults, ARemovalThatFailsIsReportedToo) {
    MemoryOutputs outputs;
    outputs.folder = earlierExport();
    const std::string stuck = exportPath(ExportFileKind::FieldingStats);
    outputs.faults = {{FaultAt::Write, exportPath(ExportFileKind::BattingSplits), 0, "disk full"},
                      {FaultAt::CleanUp, stuck, 0, "permission denied"}};
    const ExportOutcome outcome = exportInto(outputs);
    ASSERT_EQ(outcome.problems.size(), 2u);
    EXPECT_EQ(outcome.problems[1].file, stuck);
    EXPECT_EQ(outcome.problems[1].reason, "its temporary file could not be removed: permission denied");
    EXPECT_TRUE(outputs.folder.contains(stuck + testing::kWritingSuffix));
}

TEST(ExportFaults, WhenPuttingBackFailsTheProblemsSayWhichFilesHoldWhat) {
    MemoryOutputs outputs;
    outputs.folder = earlierExport();
    const std::string first = exportPath(ExportFileKind::BattingStats);
    const std::string third = exportPath(ExportFileKind::FieldingStats);
    outputs.faults = {{FaultAt::Replace, third, 0, "in use by another program"},
                      {FaultAt::Restore, first, 0, "permission denied"}};
    const ExportOutcome outcome = exportInto(outputs);

    EXPECT_FALSE(outcome.earlierFilesKept);
    std::map<std::string, std::string> said;
    for (const ExportProblem& problem : outcome.problems)
        said[problem.file] += problem.reason + ";";
    EXPECT_EQ(said[third], "in use by another program;holds the earlier export;");
    EXPECT_EQ(said[first], "the earlier file could not be put back: permission denied;holds the new export;");
    EXPECT_EQ(said[exportPath(ExportFileKind::PitchingStats)], "holds the earlier export;");
    EXPECT_EQ(outputs.folder[first], newExport().at(first));
    EXPECT_EQ(outputs.folder[first + testing::kKeptSuffix], earlierExport()[first])
        << "the only copy of the earlier file is kept";
    for (const auto& [path, bytes] : earlierExport())
        if (path != first) {
            EXPECT_EQ(outputs.folder[path], bytes) << path;
        }
}

TEST(ExportFaults, AKeptEarlierFileThatCannotBeRemovedIsAWarningOnly) {
    MemoryOutputs outputs;
    outputs.folder = earlierExport();
    const std::string pitching = exportPath(ExportFileKind::PitchingStats);
    outputs.faults = {{FaultAt::CleanUp, pitching, 0, "permission denied"}};
    const ExportOutcome outcome = exportInto(outputs);
    ASSERT_TRUE(outcome.succeeded());
    ASSERT_EQ(outcome.warnings.size(), 1u);
    EXPECT_EQ(outcome.warnings[0].file, pitching);
    for (const auto& [path, bytes] : newExport())
        EXPECT_EQ(outputs.folder[path], bytes) << path;
}

struct ReadFault {
    const char* name;
    const char* file;
    std::size_t readable; // bytes read before the failure; SIZE_MAX: the file cannot be opened
};

class LeagueFileFault : public ::testing::TestWithParam<ReadFault> {};

TEST_P(LeagueFileFault, FailsTheRunWithoutTouchingAnExportFile) {
    MemoryLeagueFiles league = demoLeague();
    const std::string path = joinPath(kSeasonFolder, GetParam().file);
    if (GetParam().readable == SIZE_MAX) {
        league.failingPath = path;
    } else {
        league.unreadablePath = path;
        league.readableBytes = GetParam().readable;
    }
    MemoryOutputs outputs;
    outputs.folder = earlierExport();
    const ExportOutcome outcome = exportInto(outputs, league);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].file, path);
    EXPECT_EQ(outputs.folder, earlierExport());
}

INSTANTIATE_TEST_SUITE_P(OpenAndRead, LeagueFileFault,
                         ::testing::Values(ReadFault{"TeamsUnopenable", "zelteam.dat", SIZE_MAX},
                                           ReadFault{"PlayersUnopenable", "zelplyr.dat", SIZE_MAX},
                                           ReadFault{"StatsUnopenable", "zelgs.dat", SIZE_MAX},
                                           ReadFault{"TeamsFailMidway", "zelteam.dat", 746 * 3 + 10},
                                           ReadFault{"PlayersFailAtOnce", "zelplyr.dat", 0},
                                           ReadFault{"StatsFailMidway", "zelgs.dat", 302 * 1000 + 7}),
                         [](const auto& param) { return std::string(param.param.name); });

// A season's league files are read once, before any row is made: what cannot
// be opened or loaded is a problem of that file, a cut-short record a warning,
// and only a season read whole hands on its statistics file.
TEST(SeasonInput, ReadsTheLeagueFilesOnceAndNamesTheFileAtFault) {
    const std::string teams = joinPath(kSeasonFolder, "zelteam.dat");
    const std::string players = joinPath(kSeasonFolder, "zelplyr.dat");
    struct Case {
        const char* what;
        std::function<void(MemoryLeagueFiles&, ExportOptions&)> change;
        std::string problemFile; // "" for none
        std::string warningFile; // "" for none
    };
    const std::vector<Case> cases = {
        {"whole", [](MemoryLeagueFiles&, ExportOptions&) {}, "", ""},
        {"no folder", [](MemoryLeagueFiles&, ExportOptions& o) { o.seasonFolder.clear(); }, "season folder",
         ""},
        {"team file refused", [&](MemoryLeagueFiles& l, ExportOptions&) { l.failingPath = teams; }, teams,
         ""},
        {"player file missing", [&](MemoryLeagueFiles& l, ExportOptions&) { l.files.erase(players); },
         players, ""},
        {"player file cut short", [&](MemoryLeagueFiles& l, ExportOptions&) { l.files[players].pop_back(); },
         "", players},
    };
    for (const Case& c : cases) {
        MemoryLeagueFiles league = demoLeague();
        ExportOptions options = everyFile();
        c.change(league, options);
        const SeasonInput input = readSeasonInput(options, league);
        EXPECT_EQ(input.problems.empty() ? "" : input.problems.front().file, c.problemFile) << c.what;
        EXPECT_EQ(input.warnings.empty() ? "" : input.warnings.front().file, c.warningFile) << c.what;
        EXPECT_EQ(input.statistics != nullptr, c.problemFile.empty()) << c.what;
        if (!c.problemFile.empty()) continue;
        EXPECT_EQ(input.statisticsPath, joinPath(kSeasonFolder, "zelgs.dat")) << c.what;
        EXPECT_TRUE((*input.teams)[1].loaded) << c.what;
        EXPECT_TRUE((*input.players)[1].loaded) << c.what;
    }
}

} // namespace
} // namespace boxloom
