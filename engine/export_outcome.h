#pragma once

#include "export_file_kinds.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace boxloom {

struct ExportProblem {
    std::string file;
    std::string reason;
};

// What a run found and put right in its output folder before its own work.
struct FolderRecovery {
    // Interrupted exports completed or rolled back, in words for the user.
    std::vector<std::string> notes;
    // Moves or removals that failed: the folder may hold files of two exports.
    std::vector<ExportProblem> problems;
    // Commit records left alone: damaged, foreign, or of a run still going.
    std::vector<ExportProblem> warnings;
    std::uint64_t sideFilesRemoved = 0;
    std::uint64_t sideFilesRestored = 0; // earlier files moved back to their names
};

struct ExportOutcome {
    std::vector<ExportProblem> problems;
    // Things a successful run could not tidy up; the export itself is whole.
    std::vector<ExportProblem> warnings;
    // False only when a failed run could not put every earlier file back: the
    // problems then say which files hold the new export and which the earlier one.
    bool earlierFilesKept = true;
    std::uint64_t recordsRead = 0;
    std::uint64_t recordsAccepted = 0;
    // Accepted records whose player, team or stat type number lies outside the tables.
    std::uint64_t recordsSkipped = 0;
    FolderRecovery recovery;
    // Indexed by ExportFileKind; a file that was not written has written == false.
    std::array<bool, kExportFileKindCount> written{};
    std::array<std::string, kExportFileKindCount> fileNames;
    std::array<std::uint64_t, kExportFileKindCount> rowsWritten{};

    bool succeeded() const { return problems.empty(); }
};

} // namespace boxloom
