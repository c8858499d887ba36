#pragma once

// The commit record: before the first export file is moved into place, a run
// writes into the output folder a small text naming every move it is about to
// make, and removes it once the whole set is in place. A later run that finds
// the record of a run that has ended completes those moves first.
//
//   Boxloom commit record 1
//   process 4711_0001f2e3d4c5b6a7
//   written 2026-12-09T10:00:00Z
//   move Batting_Stats.CSV ~Batting_Stats.CSV.4711_…-0.tmp ~Batting_Stats.CSV.4711_…-1.old
//   move Fielding_Stats.CSV ~Fielding_Stats.CSV.4711_…-2.tmp -
//   end 2
//
// Each move names the target, the new file and where the earlier file goes
// ("-" when there was none), all plain names in the record's folder. A record
// is written whole under its pending name and then moved to its own, so a
// record under its own name is never a piece of one.

#include "run_identity.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom {

struct CommitMove {
    std::string target;
    std::string fresh;   // the complete new file
    std::string earlier; // where the earlier file is kept; empty when there was none
};

struct CommitRecord {
    RunId run;
    std::string writtenAt; // UTC, ISO 8601
    std::vector<CommitMove> moves;
};

// "~boxloom-commit.RUN-SEQ.txt", or ".new" while it is written; no run names two alike.
std::string commitRecordName(const RunId& run, std::uint32_t sequence, bool pending);

struct CommitRecordName {
    RunId run;
    bool pending = false;
};
// Whose record a file's name says it is (earlier versions named it "~boxloom-commit.PID.txt");
// nothing for any other name.
std::optional<CommitRecordName> parseCommitRecordName(std::string_view name);

std::string formatCommitRecord(const CommitRecord& record);

// The record, or nothing with the reason when the text is not a whole record of
// this version, or names anything but export files (`isOurs`) and their own side files.
std::optional<CommitRecord> parseCommitRecord(std::string_view text, bool (*isOurs)(std::string_view),
                                              std::string& reason);

// Whether the text is the start of a record that was never written whole
// (nothing at all, or a beginning without its end): the run that wrote it had
// moved no file, since a record is on the disk whole before the first move.
bool isCutShortRecord(std::string_view text);

} // namespace boxloom
