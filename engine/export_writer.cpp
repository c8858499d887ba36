#include "export_writer.h"

#include "export_columns.h"
#include "paths.h"
#include "text_encoding.h"

#include <cstring>

namespace boxloom {

struct ExportFiles::File final : LineSink {
    std::string path;
    std::unique_ptr<OutputFile> output;
    std::string error;     // the first write failure; later writes are dropped
    bool holdsNew = false; // replaced, and the earlier file could not be put back

    void flush() override {
        if (used > 0 && error.empty()) error = output->write(buffer.data(), used);
        used = 0;
    }
};

ExportFiles::ExportFiles() = default;
ExportFiles::~ExportFiles() { discard(); }

bool ExportFiles::isOpen(ExportFileKind kind) const { return files_[indexOf(kind)] != nullptr; }

// The header line is not a row.
std::uint64_t ExportFiles::rowsWritten(ExportFileKind kind) const {
    return isOpen(kind) ? files_[indexOf(kind)]->lines - 1 : 0;
}

const std::string& ExportFiles::path(ExportFileKind kind) const {
    static const std::string none;
    return isOpen(kind) ? files_[indexOf(kind)]->path : none;
}

LineSink* ExportFiles::sink(ExportFileKind kind) { return files_[indexOf(kind)].get(); }

std::vector<ExportFiles::File*> ExportFiles::openFiles() {
    std::vector<File*> open;
    for (auto& file : files_)
        if (file) open.push_back(file.get());
    return open;
}

std::vector<ExportProblem> ExportFiles::open(const ExportOptions& options, OutputFileFactory& outputs) {
    withIds_ = options.includeIds;
    outputs_ = &outputs;
    folder_ = options.outputFolder;
    std::vector<ExportProblem> problems;
    std::array<std::string, kExportFileKindCount> paths;
    for (ExportFileKind kind : kExportFileKinds) {
        if (!isExportFileSelected(kind, options)) continue;
        std::string name = exportFileName(kind, options.outputSuffix);
        paths[indexOf(kind)] = options.outputFolder.empty() ? name : joinPath(options.outputFolder, name);
        if (std::string reason = outputs.checkReplaceable(paths[indexOf(kind)]); !reason.empty())
            problems.push_back({paths[indexOf(kind)], reason});
    }
    if (!problems.empty()) return problems;

    for (ExportFileKind kind : kExportFileKinds) {
        if (paths[indexOf(kind)].empty()) continue;
        auto file = std::make_unique<File>();
        file->path = paths[indexOf(kind)];
        std::string reason;
        file->output = outputs.create(file->path, reason);
        if (!file->output) {
            problems.push_back({file->path, reason});
            break;
        }
        file->utf8 = options.encoding != TextEncoding::Windows1252;
        if (options.encoding == TextEncoding::Utf8WithBom) {
            std::memcpy(file->reserve(kUtf8ByteOrderMark.size()), kUtf8ByteOrderMark.data(),
                        kUtf8ByteOrderMark.size());
            file->used += kUtf8ByteOrderMark.size();
        }
        files_[indexOf(kind)] = std::move(file);
        LineWriter header(*sink(kind));
        for (const Column& column : columnsOf(kind, options.includeIds))
            header.text(column.header);
    }
    if (!problems.empty()) {
        for (ExportProblem& leftover : discard())
            problems.push_back(std::move(leftover));
    }
    return problems;
}

RowTargets ExportFiles::targets() {
    RowTargets targets;
    for (ExportFileKind kind : kExportFileKinds)
        targets.sinks[indexOf(kind)] = sink(kind);
    targets.withIds = withIds_;
    return targets;
}

void ExportFiles::appendLines(ExportFileKind kind, std::string_view text, std::uint64_t lines) {
    File* file = files_[indexOf(kind)].get();
    if (file == nullptr) return;
    file->lines += lines;
    if (text.size() < file->buffer.size() - file->used) {
        std::memcpy(file->buffer.data() + file->used, text.data(), text.size());
        file->used += text.size();
        return;
    }
    file->flush();
    if (file->error.empty()) file->error = file->output->write(text.data(), text.size());
}

bool ExportFiles::finishAll(ExportOutcome& outcome) {
    const std::size_t before = outcome.problems.size();
    for (File* file : openFiles()) {
        file->flush();
        if (file->error.empty()) file->error = file->output->finish();
        if (!file->error.empty()) outcome.problems.push_back({file->path, file->error});
    }
    return outcome.problems.size() == before;
}

// Every new file is complete on disk: the record of the moves goes down before the first move.
bool ExportFiles::beginCommit(ExportOutcome& outcome) {
    std::vector<CommitMove> moves;
    for (const File* file : openFiles())
        moves.push_back(file->output->commitMove());
    if (std::string reason = outputs_->beginCommit(folder_, moves); !reason.empty()) {
        outcome.problems.push_back({folder_.empty() ? "." : folder_,
                                    "the record of the replacement could not be written: " + reason});
        // Nothing was moved: a record left whole or in part would tell the next
        // run of an interrupted export that never was.
        outputs_->endCommit(folder_);
        return false;
    }
    return true;
}

void ExportFiles::replaceAll(ExportOutcome& outcome) {
    const std::vector<File*> files = openFiles();
    std::size_t replaced = 0;
    for (; replaced < files.size(); ++replaced) {
        if (std::string reason = files[replaced]->output->replace(); !reason.empty()) {
            outcome.problems.push_back({files[replaced]->path, reason});
            break;
        }
    }
    const std::string& where = folder_.empty() ? std::string(".") : folder_;
    if (replaced == files.size()) {
        if (std::string reason = outputs_->endCommit(folder_); !reason.empty())
            outcome.warnings.push_back(
                {where, "the record of the replacement could not be removed: " + reason});
        return;
    }

    // Put the moved files back, last first.
    for (std::size_t i = replaced; i-- > 0;) {
        if (std::string reason = files[i]->output->restore(); !reason.empty()) {
            files[i]->holdsNew = true;
            outcome.earlierFilesKept = false;
            outcome.problems.push_back({files[i]->path, "the earlier file could not be put back: " + reason});
        }
    }
    // This run is here to say which file holds what: no later run need complete it.
    if (std::string reason = outputs_->endCommit(folder_); !reason.empty())
        outcome.problems.push_back({where, "the record of the replacement could not be removed: " + reason});
    if (outcome.earlierFilesKept) return;
    for (const File* file : files)
        outcome.problems.push_back(
            {file->path, file->holdsNew ? "holds the new export" : "holds the earlier export"});
}

void ExportFiles::close(ExportOutcome& outcome) {
    if (finishAll(outcome) && beginCommit(outcome)) replaceAll(outcome);
    const bool replacedAll = outcome.succeeded();
    for (File* file : openFiles()) {
        // The only copy of an earlier file that could not be put back stays beside it.
        if (file->holdsNew) continue;
        if (std::string reason = file->output->cleanUp(); !reason.empty()) {
            if (replacedAll)
                outcome.warnings.push_back(
                    {file->path, "the earlier file kept beside it could not be removed: " + reason});
            else
                outcome.problems.push_back(
                    {file->path, "its temporary file could not be removed: " + reason});
        }
    }
}

std::vector<ExportProblem> ExportFiles::discard() {
    std::vector<ExportProblem> problems;
    for (File* file : openFiles()) {
        if (file->holdsNew) continue;
        if (std::string reason = file->output->cleanUp(); !reason.empty())
            problems.push_back({file->path, "its temporary file could not be removed: " + reason});
    }
    return problems;
}

} // namespace boxloom
