#pragma once

// The seams through which a run touches files: league files come from an
// opener of byte sources, export files from a factory of output files. The
// file layer provides the real ones; tests and fuzzers provide their own.

#include "byte_source.h"
#include "commit_record.h"
#include "export_outcome.h"
#include "row_targets.h"

#include <functional>
#include <vector>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace boxloom {

struct RecordCounts {
    std::uint64_t accepted = 0;
    std::uint64_t skipped = 0; // accepted, but numbers outside the tables
};

class PitcherTotals;

// Formats `count` records of a chunk: writes their rows into `rows` and adds
// the batting that grouped pitcher rows show to the chunk's own `grouped` totals.
using ChunkFormatter = std::function<RecordCounts(const std::uint8_t* records, std::size_t count,
                                                  const RowTargets& rows, PitcherTotals& grouped)>;

class LeagueFileOpener {
public:
    virtual ~LeagueFileOpener() = default;
    // Null with the reason when the file cannot be read; never creates it.
    virtual std::unique_ptr<ByteSource> open(const std::string& path, std::string& reason) = 0;
};

// One export file, written beside its final name until the whole set is replaced.
// Every operation returns the reason of a failure, or "" on success.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual std::string write(const void* data, std::size_t size) = 0;
    // Flushes what was written to the disk and closes it.
    virtual std::string finish() = 0;
    // The move replace() will make, for the commit record: plain names in the folder.
    virtual CommitMove commitMove() const { return {}; }
    // Checks the target again, then moves the finished file over its final name;
    // the earlier file is kept aside until cleanUp() or restore().
    virtual std::string replace() = 0;
    // Undoes replace(): the earlier file is back, or the new one gone when there was none.
    virtual std::string restore() = 0;
    // Removes what is left beside the final name (the unused new file, or the kept earlier one).
    virtual std::string cleanUp() = 0;
};

class OutputFileFactory {
public:
    virtual ~OutputFileFactory() = default;
    // Whether the file could be replaced now: "" when it can or does not exist yet.
    virtual std::string checkReplaceable(const std::string& path) = 0;
    // Null with the reason when the file cannot be created.
    virtual std::unique_ptr<OutputFile> create(const std::string& finalPath, std::string& reason) = 0;
    // First thing in a run: completes the replacements that runs which have
    // ended left half done in `folder` (or rolls them back), then removes their
    // side files; only files whose final name `isOurs` accepts are touched.
    virtual FolderRecovery recoverFolder(const std::string& folder, bool (*isOurs)(std::string_view)) = 0;
    // Writes to the disk the record of the moves about to be made; the reason of a failure, or "".
    virtual std::string beginCommit(const std::string& folder, const std::vector<CommitMove>& moves) {
        (void)folder, (void)moves;
        return {};
    }
    // Removes the record once every move is made.
    virtual std::string endCommit(const std::string& folder) {
        (void)folder;
        return {};
    }
};

// Where a run's rows go when it writes no export files (a database): a sink
// per file, written on the run's own thread in the files' order.
class RowStore {
public:
    virtual ~RowStore() = default;
    // The sink of a file's rows; null with the reason when it cannot take them.
    virtual RowSink* open(ExportFileKind kind, std::string& reason) = 0;
    // After the last row: the reason a row could not be stored, or "".
    virtual std::string finish(ExportFileKind kind) = 0;
    virtual std::uint64_t rowsWritten(ExportFileKind kind) const = 0;
};

struct ExportIo {
    LeagueFileOpener& leagueFiles;
    OutputFileFactory& outputs;
    // Wraps the formatting of each chunk of records (on worker threads): for
    // observing a run's progress, or planting a fault in it.
    std::function<ChunkFormatter(ChunkFormatter)> chunkFormatter = {};
};

// The platform's own files.
ExportIo fileSystemIo();

} // namespace boxloom
