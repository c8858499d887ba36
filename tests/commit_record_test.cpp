// The commit record and what a run does with one that a dead run left behind.

#include "commit_record.h"
#include "export_file_kinds.h"
#include "folder_recovery.h"
#include "memory_folder.h"
#include "temporary_names.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace boxloom {
namespace {

using testing::inPath;
using testing::MemoryFolder;

constexpr RunId kDead{4711, 0x00c0ffee00c0ffee};

CommitMove moveOf(const std::string& target, bool hadEarlier, int sequence) {
    const std::string base = "~" + target + "." + formatRunId(kDead) + "-";
    return {target, base + std::to_string(sequence) + ".tmp",
            hadEarlier ? base + std::to_string(sequence + 1) + ".old" : std::string()};
}

CommitRecord twoFiles() {
    return {kDead,
            "2031-04-01T12:00:00Z",
            {moveOf("Batting_Stats.CSV", true, 0), moveOf("Fielding_Stats.CSV", false, 2)}};
}

TEST(CommitRecord, ReadsBackWhatItWrote) {
    const std::string text = formatCommitRecord(twoFiles());
    std::string reason;
    const auto record = parseCommitRecord(text, isExportFileName, reason);
    ASSERT_TRUE(record) << reason;
    EXPECT_EQ(record->run, kDead);
    EXPECT_EQ(record->writtenAt, "2031-04-01T12:00:00Z");
    ASSERT_EQ(record->moves.size(), 2u);
    EXPECT_EQ(record->moves[0].earlier, "~Batting_Stats.CSV.4711_00c0ffee00c0ffee-1.old");
    EXPECT_EQ(record->moves[1].earlier, "");
}

// A record's and a side file's name say whose they are, in this version's form
// and in the earlier one that held the process's number alone.
TEST(CommitRecord, NamesSayWhichRunTheyBelongTo) {
    EXPECT_EQ(commitRecordName(kDead, 9, false), "~boxloom-commit.4711_00c0ffee00c0ffee-9.txt");
    EXPECT_EQ(commitRecordName(kDead, 9, true), "~boxloom-commit.4711_00c0ffee00c0ffee-9.new");
    struct Case {
        const char* name;
        std::optional<RunId> run;
        bool pending;
    };
    const Case cases[] = {
        {"~boxloom-commit.4711_00c0ffee00c0ffee-9.txt", kDead, false},
        {"~boxloom-commit.4711_00c0ffee00c0ffee-9.new", kDead, true},
        {"~boxloom-commit.4711.txt", RunId{4711}, false},
        {"~boxloom-commit.4711-2.txt", RunId{4711}, false},
        {"~boxloom-commit.4711.new", std::nullopt, false},
        {"~boxloom-commit.4711_00c0ffee00c0ffee.txt", std::nullopt, false},
        {"~boxloom-commit.4711_00C0FFEE00C0FFEE-9.txt", std::nullopt, false},
        {"~boxloom-commit.4711_0000000000000000-9.txt", std::nullopt, false},
        {"~boxloom-commit.4711_c0ffee-9.txt", std::nullopt, false},
        {"~boxloom-commit.47x1.txt", std::nullopt, false},
        {"boxloom-commit.4711.txt", std::nullopt, false},
    };
    for (const Case& c : cases) {
        const auto found = parseCommitRecordName(c.name);
        EXPECT_EQ(found.has_value(), c.run.has_value()) << c.name;
        if (!found || !c.run) continue;
        EXPECT_EQ(found->run, *c.run) << c.name;
        EXPECT_EQ(found->pending, c.pending) << c.name;
    }
    for (const RunId& run : {kDead, RunId{4711}}) {
        const auto owner =
            parseSideFileName(sideFileName("Batting_Stats.CSV", run, 3, SideFile::KeptEarlier));
        ASSERT_TRUE(owner);
        EXPECT_EQ(owner->run, run);
        EXPECT_EQ(owner->finalName, "Batting_Stats.CSV");
        EXPECT_EQ(owner->kind, SideFile::KeptEarlier);
    }
}

// Anything but a whole record of export files and their own side files is refused.
TEST(CommitRecord, RefusesDamagedAndForeignRecords) {
    const std::string good = formatCommitRecord(twoFiles());
    const std::string run = formatRunId(kDead);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::map<std::string, std::string> cases = {
        {"empty", ""},
        {"cut before its end", good.substr(0, good.find("end"))},
        {"last line without its end", good.substr(0, good.size() - 1)},
        {"another version", replaced("record 1", "record 2")},
        {"a count that does not match", replaced("end 2", "end 3")},
        {"a target in another folder", replaced("move Batting_Stats.CSV", "move ../Batting_Stats.CSV")},
        {"a league file as target", replaced("move Batting_Stats.CSV ~Batting_Stats.CSV." + run + "-0.tmp",
                                             "move zelgs.dat ~zelgs.dat." + run + "-0.tmp")},
        {"a new file of another process",
         replaced("~Batting_Stats.CSV." + run + "-0.tmp", "~Batting_Stats.CSV.99-0.tmp")},
        {"a new file of an earlier process of that number",
         replaced("~Batting_Stats.CSV." + run + "-0.tmp", "~Batting_Stats.CSV.4711-0.tmp")},
        {"a new file of another target",
         replaced("~Batting_Stats.CSV." + run + "-0.tmp", "~Pitching_Stats.CSV." + run + "-0.tmp")},
        {"a new file with a path",
         replaced("~Batting_Stats.CSV." + run + "-0.tmp", "x/~Batting_Stats.CSV." + run + "-0.tmp")},
        {"an earlier file that is a new one",
         replaced("~Batting_Stats.CSV." + run + "-1.old", "~Batting_Stats.CSV." + run + "-1.tmp")},
        {"no process", replaced("process " + run, "process me")},
        {"a start that is not one", replaced("process " + run, "process 4711_x")},
        {"no time", replaced("written 2031-04-01T12:00:00Z", "written  ")},
        {"two blanks between words", replaced("move Batting_Stats.CSV ", "move  Batting_Stats.CSV ")},
    };
    for (const auto& [what, text] : cases) {
        std::string reason;
        EXPECT_FALSE(parseCommitRecord(text, isExportFileName, reason)) << what;
        EXPECT_NE(reason, "") << what;
    }
}

const std::string kRecordPath = testing::inPath(commitRecordName(kDead, 9, false));

// Five files, three of them with an earlier file, stopped after `moves` of the run's moves.
MemoryFolder interrupted(int moves, bool freshGone = false) {
    MemoryFolder folder;
    CommitRecord record{kDead, "2031-04-01T12:00:00Z", {}};
    int sequence = 0;
    for (const char* name : {"Batting_Stats.CSV", "Pitching_Stats.CSV", "Fielding_Stats.CSV",
                             "Pitching_Splits.CSV", "Batting_Splits.CSV"}) {
        const bool hadEarlier = sequence < 6;
        record.moves.push_back(moveOf(name, hadEarlier, sequence));
        sequence += 2;
        const CommitMove& move = record.moves.back();
        folder.files[inPath(move.fresh)] = std::string("new ") + name;
        if (hadEarlier) folder.files[inPath(move.target)] = std::string("earlier ") + name;
    }
    folder.files[kRecordPath] = formatCommitRecord(record);
    // The run's own order: each earlier file aside, then the new one in.
    for (const CommitMove& move : record.moves) {
        if (!move.earlier.empty() && moves-- > 0) folder.move(inPath(move.target), inPath(move.earlier));
        if (moves-- > 0) folder.move(inPath(move.fresh), inPath(move.target));
    }
    if (freshGone) folder.files.erase(inPath(record.moves.back().fresh));
    return folder;
}

std::map<std::string, std::string> exportFiles(const MemoryFolder& folder) {
    std::map<std::string, std::string> found;
    for (const auto& [path, text] : folder.files)
        found[path.substr(4)] = text;
    return found;
}

TEST(FolderRecovery, AReplacementStoppedAtAnyMoveIsCompleted) {
    for (int moves = 0; moves <= 8; ++moves) {
        MemoryFolder folder = interrupted(moves);
        const FolderRecovery recovery = recoverFolder(folder, "out", isExportFileName);
        EXPECT_TRUE(recovery.problems.empty()) << moves;
        ASSERT_EQ(recovery.notes.size(), 1u) << moves;
        EXPECT_EQ(recovery.notes[0], "completed an export interrupted at 2031-04-01T12:00:00Z (5 files)");
        const auto files = exportFiles(folder);
        ASSERT_EQ(files.size(), 5u) << moves << ": side files or the record were left";
        for (const auto& [name, text] : files)
            EXPECT_EQ(text, "new " + name) << moves;
        EXPECT_GE(folder.flushes, 2);
    }
}

// A process number outlives its run: the first process of every container is
// number 1, and a program's own earlier run shares its process.
TEST(FolderRecovery, ARunIsGoneThoughItsProcessNumberLivesOn) {
    const std::vector<std::pair<const char*, void (*)(MemoryFolder&)>> cases = {
        {"another process has its number",
         [](MemoryFolder& f) {
             f.running = {{4711, 0x0badf00d0badf00d}};
         }},
        {"this process has its number",
         [](MemoryFolder& f) {
             f.current = {4711, 0x0badf00d0badf00d};
         }},
        {"an earlier run of this process", [](MemoryFolder& f) { f.current = kDead; }},
    };
    for (const auto& [what, setUp] : cases) {
        MemoryFolder folder = interrupted(5);
        setUp(folder);
        const FolderRecovery recovery = recoverFolder(folder, "out", isExportFileName);
        EXPECT_TRUE(recovery.warnings.empty()) << what << ": " << recovery.warnings[0].reason;
        ASSERT_EQ(recovery.notes.size(), 1u) << what;
        EXPECT_TRUE(recovery.notes[0].starts_with("completed an export interrupted")) << what;
        const auto files = exportFiles(folder);
        ASSERT_EQ(files.size(), 5u) << what;
        for (const auto& [name, text] : files)
            EXPECT_EQ(text, "new " + name) << what;
    }
}

// A record still under its pending name was never in place, so no file was
// moved: the record and the run's new files go once the run is gone.
TEST(FolderRecovery, ARecordStillBeingWrittenIsRemovedWithItsNewFilesOnceItsRunIsGone) {
    const std::string pending = inPath(commitRecordName(kDead, 9, true));
    for (const bool whole : {false, true}) {
        for (const bool going : {false, true}) {
            MemoryFolder folder = interrupted(0);
            folder.files[pending] = whole ? folder.files[kRecordPath] : "";
            folder.files.erase(kRecordPath);
            if (going) folder.running.insert(kDead);
            const auto before = folder.files;
            const FolderRecovery recovery = recoverFolder(folder, "out", isExportFileName);
            EXPECT_TRUE(recovery.warnings.empty() && recovery.problems.empty());
            if (going) {
                EXPECT_TRUE(folder.files == before && recovery.notes.empty()) << "a running export's files";
                continue;
            }
            ASSERT_EQ(recovery.notes.size(), 1u);
            EXPECT_NE(recovery.notes[0].find("before it replaced any file"), std::string::npos);
            const auto files = exportFiles(folder);
            ASSERT_EQ(files.size(), 3u) << "the record or new files were left";
            for (const auto& [name, bytes] : files)
                EXPECT_EQ(bytes, "earlier " + name);
        }
    }
}

TEST(FolderRecovery, ARecordWhoseNewFileIsGoneIsRolledBackAndEveryFileNamed) {
    for (int moves : {0, 3, 7}) {
        MemoryFolder folder = interrupted(moves, true);
        const FolderRecovery recovery = recoverFolder(folder, "out", isExportFileName);
        EXPECT_TRUE(recovery.problems.empty());
        ASSERT_EQ(recovery.notes.size(), 1u);
        for (const char* said : {"Batting_Stats.CSV holds the earlier export",
                                 "Pitching_Splits.CSV removed: the earlier export had none"})
            EXPECT_NE(recovery.notes[0].find(said), std::string::npos) << recovery.notes[0];
        const auto files = exportFiles(folder);
        ASSERT_EQ(files.size(), 3u) << moves;
        for (const auto& [name, text] : files)
            EXPECT_EQ(text, "earlier " + name) << moves;
    }
}

TEST(FolderRecovery, RecordsThatCannotBeTrustedOrOfARunningExportAreLeftAlone) {
    struct Case {
        const char* what;
        void (*spoil)(MemoryFolder&);
    };
    const Case cases[] = {
        {"damaged", [](MemoryFolder& f) { f.files[kRecordPath].resize(f.files[kRecordPath].size() - 5); }},
        {"still running", [](MemoryFolder& f) { f.running.insert(kDead); }},
        {"of a run of this process that has it in use",
         [](MemoryFolder& f) {
             f.current = kDead;
             f.recordsInUse.insert(commitRecordName(kDead, 9, false));
         }},
        {"naming a league file",
         [](MemoryFolder& f) {
             std::string& text = f.files[kRecordPath];
             const std::string run = formatRunId(kDead);
             const std::string from = "move Batting_Splits.CSV ~Batting_Splits.CSV." + run + "-8.tmp";
             text.replace(text.find(from), from.size(), "move zelgs.dat ~zelgs.dat." + run + "-8.tmp");
         }},
        {"of another process",
         [](MemoryFolder& f) {
             f.files[inPath(commitRecordName({99, kDead.started}, 9, false))] = f.files[kRecordPath];
             f.files.erase(kRecordPath);
         }},
    };
    for (const Case& c : cases) {
        MemoryFolder folder = interrupted(3);
        c.spoil(folder);
        const auto before = folder.files;
        const FolderRecovery recovery = recoverFolder(folder, "out", isExportFileName);
        EXPECT_TRUE(recovery.notes.empty()) << c.what;
        ASSERT_EQ(recovery.warnings.size(), 1u) << c.what;
        EXPECT_NE(recovery.warnings[0].reason.find("left alone"), std::string::npos) << c.what;
        EXPECT_TRUE(folder.files == before) << c.what << ": something was touched";
    }
}

// A record never written whole (a kill or a full disk while writing it) is
// of a run that had moved nothing: the next run removes it and the run's new
// files, keeps every earlier file, and says so. Once an earlier file was moved
// aside, a record cut short is no such thing and is left alone.
TEST(FolderRecovery, ARecordCutShortBeforeAnyMoveIsRemovedWithItsNewFiles) {
    const std::string whole = interrupted(0).files[kRecordPath];
    const std::vector<std::pair<const char*, std::string>> cuts = {
        {"nothing written", ""},
        {"a piece of the first line", whole.substr(0, 10)},
        {"two lines", whole.substr(0, whole.find('\n', whole.find('\n') + 1) + 1)},
        {"all but its end", whole.substr(0, whole.rfind("end "))},
    };
    for (const auto& [what, text] : cuts) {
        MemoryFolder folder = interrupted(0);
        folder.files[kRecordPath] = text;
        const FolderRecovery recovery = recoverFolder(folder, "out", isExportFileName);
        EXPECT_TRUE(recovery.warnings.empty() && recovery.problems.empty()) << what;
        ASSERT_EQ(recovery.notes.size(), 1u) << what;
        EXPECT_NE(recovery.notes[0].find("before it replaced any file"), std::string::npos) << what;
        const auto files = exportFiles(folder);
        ASSERT_EQ(files.size(), 3u) << what << ": the record or new files were left";
        for (const auto& [name, bytes] : files)
            EXPECT_EQ(bytes, "earlier " + name) << what;
    }
    MemoryFolder moved = interrupted(1);
    moved.files[kRecordPath] = whole.substr(0, 10);
    const auto before = moved.files;
    const FolderRecovery recovery = recoverFolder(moved, "out", isExportFileName);
    ASSERT_EQ(recovery.warnings.size(), 1u);
    EXPECT_TRUE(moved.files == before);
}

// A record that its run could not remove, once the run had put every file in
// place and removed the earlier ones, or when it failed before its first move
// and had removed its new files: nothing is left to do but remove the record,
// and nothing is said to hold what it does not.
TEST(FolderRecovery, ARecordLeftWithNothingToCompleteOrPutBackIsRemovedAndNothingRolledBack) {
    const std::vector<std::pair<const char*, MemoryFolder>> cases = {
        {"every file in place", interrupted(8)},
        {"failed before the first move", interrupted(0, true)},
    };
    for (auto [what, folder] : cases) {
        const auto expected = [&] {
            std::map<std::string, std::string> files;
            for (const auto& [name, bytes] : exportFiles(folder))
                if (!name.starts_with("~")) files[name] = bytes;
            return files;
        }();
        std::erase_if(folder.files, [](const auto& file) {
            return file.first.ends_with(".old") || file.first.ends_with(".tmp");
        });
        const FolderRecovery recovery = recoverFolder(folder, "out", isExportFileName);
        EXPECT_TRUE(recovery.problems.empty() && recovery.warnings.empty()) << what;
        ASSERT_EQ(recovery.notes.size(), 1u) << what;
        EXPECT_NE(recovery.notes[0].find("left no file to complete or put back"), std::string::npos)
            << what << ": " << recovery.notes[0];
        EXPECT_TRUE(exportFiles(folder) == expected) << what;
    }
}

TEST(FolderRecovery, AMoveThatFailsIsAProblemAndTheRecordStaysForTheNextRun) {
    MemoryFolder folder = interrupted(3);
    folder.failingPath = inPath("Fielding_Stats.CSV");
    const FolderRecovery recovery = recoverFolder(folder, "out", isExportFileName);
    ASSERT_EQ(recovery.problems.size(), 1u);
    EXPECT_EQ(recovery.problems[0].file, inPath("Fielding_Stats.CSV"));
    EXPECT_TRUE(recovery.notes.empty());
    EXPECT_TRUE(folder.exists(kRecordPath));
    folder.failingPath.clear();
    EXPECT_EQ(recoverFolder(folder, "out", isExportFileName).notes.size(), 1u);
    EXPECT_EQ(exportFiles(folder).size(), 5u);
}

} // namespace
} // namespace boxloom
