#pragma once

// The export files of one run: each is written beside its final name, and the
// whole set replaces the earlier files only when every file is complete.

#include "csv_lines.h"
#include "export_file_kinds.h"
#include "export_io.h"
#include "export_options.h"
#include "export_outcome.h"
#include "row_targets.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace boxloom {

class ExportFiles {
public:
    ExportFiles();
    ~ExportFiles();
    ExportFiles(const ExportFiles&) = delete;
    ExportFiles& operator=(const ExportFiles&) = delete;

    // Checks every target first, then creates the selected files with their
    // header rows. On any problem nothing is left behind.
    std::vector<ExportProblem> open(const ExportOptions& options, OutputFileFactory& outputs);
    // The open file of a kind, or null when the run does not write it.
    LineSink* sink(ExportFileKind kind);
    // The files' buffers, for the row writers.
    RowTargets targets();
    // Appends lines encoded elsewhere (a chunk's), after what the file holds so far.
    void appendLines(ExportFileKind kind, std::string_view text, std::uint64_t lines);
    // Finishes every file, writes the commit record, then replaces the earlier
    // files as one set: when any move fails, the files already moved are put back. Adds to the outcome's
    // problems (and warnings) and sets its earlierFilesKept.
    void close(ExportOutcome& outcome);
    // Removes every file written so far; the earlier exports stay as they were.
    std::vector<ExportProblem> discard();

    bool isOpen(ExportFileKind kind) const;
    std::uint64_t rowsWritten(ExportFileKind kind) const;
    const std::string& path(ExportFileKind kind) const;

private:
    struct File;
    std::vector<File*> openFiles();
    bool finishAll(ExportOutcome& outcome);
    bool beginCommit(ExportOutcome& outcome);
    void replaceAll(ExportOutcome& outcome);

    std::array<std::unique_ptr<File>, kExportFileKindCount> files_;
    bool withIds_ = false;
    OutputFileFactory* outputs_ = nullptr;
    std::string folder_;
};

} // namespace boxloom
