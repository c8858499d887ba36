#pragma once

// League files and export files held in memory, with faults planted on demand:
// the whole engine runs without touching the disk.

#include "export_io.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace boxloom::testing {

class MemoryLeagueFiles final : public LeagueFileOpener {
public:
    std::map<std::string, std::vector<std::uint8_t>> files; // by path
    // Opening this path fails with this reason.
    std::string failingPath;
    std::string failingReason = "permission denied";
    // Reading this path fails once this many bytes were read.
    std::string unreadablePath;
    std::size_t readableBytes = 0;

    std::unique_ptr<ByteSource> open(const std::string& path, std::string& reason) override;
};

// CommitRecord: writing the record of the moves fails after part of it is down.
enum class FaultAt { Nothing, Create, Write, Finish, Replace, Restore, CleanUp, CommitRecord };

// One planted fault: the operation `at` on the export file `path` fails with
// `reason`; for Write, the write that would reach byte `byte` of the file.
struct Fault {
    FaultAt at = FaultAt::Nothing;
    std::string path;
    std::uint64_t byte = 0;
    std::string reason = "disk full";
};

// A folder in memory. A file being written is held under its final path plus
// ".tmp", an earlier file kept aside under its final path plus ".old".
class MemoryOutputs final : public OutputFileFactory {
public:
    std::map<std::string, std::string> folder;
    std::vector<Fault> faults;
    std::size_t staleSideFiles = 0;         // what recoverFolder reports removed
    std::vector<std::string> commitRecords; // every record written, in order
    bool commitOpen = false;                // a record is written and not yet removed

    std::string checkReplaceable(const std::string& path) override;
    std::unique_ptr<OutputFile> create(const std::string& finalPath, std::string& reason) override;
    FolderRecovery recoverFolder(const std::string& folder, bool (*isOurs)(std::string_view)) override;
    std::string beginCommit(const std::string& folder, const std::vector<CommitMove>& moves) override;
    std::string endCommit(const std::string& folder) override;

    // The planted fault of this operation on this file, or null.
    const Fault* faultFor(FaultAt at, const std::string& path) const;
    // Names in the folder that are neither final files nor expected.
    std::vector<std::string> sideFiles() const;
};

inline constexpr const char* kWritingSuffix = ".tmp";
inline constexpr const char* kKeptSuffix = ".old";

} // namespace boxloom::testing
