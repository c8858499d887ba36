#include "export_run.h"

#include "export_pipeline.h"
#include "export_writer.h"
#include "file_layer.h"
#include "pitcher_totals.h"
#include "record_exporter.h"
#include "record_reader.h"
#include "season_input.h"
#include "season_stats.h"

#include <memory>

namespace boxloom {

namespace {

// A file's rows in a store: "Batting_Stats".
std::string storedName(ExportFileKind kind) {
    const std::string_view stem = exportFileStem(kind);
    return std::string(stem.substr(0, stem.size() - 1));
}

void moveInto(std::vector<ExportProblem>& to, std::vector<ExportProblem>& from) {
    for (ExportProblem& found : from)
        to.push_back(std::move(found));
    from.clear();
}

// What runs to export files and to a store share: the season read, and its
// records made into rows of the open targets.
class RunSteps {
protected:
    explicit RunSteps(const ExportOptions& options)
        : options_(options), pitcherTotals_(std::make_unique<PitcherTotals>()) {}

    void problem(std::string file, std::string reason) {
        outcome_.problems.push_back({std::move(file), std::move(reason)});
    }

    bool read(SeasonInput input) {
        input_ = std::move(input);
        moveInto(outcome_.problems, input_.problems);
        moveInto(outcome_.warnings, input_.warnings);
        return outcome_.succeeded();
    }

    struct Writing {
        bool csvLines = false;
        const LineAppender* append = nullptr;
        unsigned threads = 1;
        const std::function<ChunkFormatter(ChunkFormatter)>* chunkFormatter = nullptr;
        std::string_view noRecordsWarning;
    };

    void exportRecords(const Writing& writing) {
        RecordReader reader(*input_.statistics, kSeasonRecordSize);
        const RecordExporter exporter(options_, *input_.teams, *input_.players, writing.csvLines);
        const ChunkFormatter format = [&exporter](const std::uint8_t* records, std::size_t count,
                                                  const RowTargets& rows, PitcherTotals& grouped) {
            return exporter.exportRecords(records, count, rows, grouped);
        };
        const bool wrapped = writing.chunkFormatter != nullptr && *writing.chunkFormatter;
        const PipelineResult result = runPipeline(
            reader, wrapped ? (*writing.chunkFormatter)(format) : format, targets_, *writing.append,
            *pitcherTotals_, writing.threads, options_.encoding != TextEncoding::Windows1252);
        outcome_.recordsRead = reader.recordsFromFile();
        outcome_.recordsAccepted = result.counts.accepted;
        outcome_.recordsSkipped = result.counts.skipped;
        const std::string& path = input_.statisticsPath;
        if (!reader.error().empty()) problem(path, reader.error());
        if (!result.error.empty()) problem(path, result.error);
        if (reader.lastRecordPartial()) outcome_.warnings.push_back(partialRecordWarning(path));
        if (outcome_.recordsRead == 0 && reader.error().empty())
            outcome_.warnings.push_back({path, std::string(writing.noRecordsWarning)});
        pitcherTotals_->writePitcherRows(targets_, *input_.teams, options_.includeHittingSplits);
        input_.statistics.reset();
    }

    const ExportOptions& options_;
    SeasonInput input_;
    std::unique_ptr<PitcherTotals> pitcherTotals_;
    RowTargets targets_;
    ExportOutcome outcome_;
};

// A run that writes export files: every file ends up wholly the earlier one
// or wholly the new one.
class FileRun : RunSteps {
public:
    FileRun(const ExportOptions& options, const StatusCallback& reportStatus, const ExportIo& io)
        : RunSteps(options), reportStatus_(reportStatus), io_(io) {}

    ExportOutcome execute() {
        if (recoverOutputFolder() && read(readSeasonInput(options_, io_.leagueFiles)) && openExports()) {
            report(kStatusProcessing);
            const LineAppender append = [this](ExportFileKind kind, std::string_view text,
                                               std::uint64_t lines) {
                exports_.appendLines(kind, text, lines);
            };
            exportRecords({true, &append, formattingThreads(options_.threads), &io_.chunkFormatter,
                           "holds no records: the export files hold only their header rows"});
            finish();
        }
        report(outcome_.succeeded() ? kStatusCompleted : kStatusFailed);
        return std::move(outcome_);
    }

private:
    void report(std::string_view status) const {
        if (reportStatus_) reportStatus_(status);
    }

    // Whatever the run goes on to do, an export that died half moved into place
    // is completed first, so that the folder holds one whole export.
    bool recoverOutputFolder() {
        outcome_.recovery = io_.outputs.recoverFolder(options_.outputFolder, isExportFileName);
        for (const ExportProblem& found : outcome_.recovery.problems)
            outcome_.problems.push_back(found);
        for (const ExportProblem& found : outcome_.recovery.warnings)
            outcome_.warnings.push_back(found);
        return outcome_.succeeded();
    }

    bool openExports() {
        for (auto& found : exports_.open(options_, io_.outputs))
            outcome_.problems.push_back(std::move(found));
        targets_ = exports_.targets();
        return outcome_.succeeded();
    }

    void finish() {
        if (!outcome_.succeeded()) {
            for (auto& found : exports_.discard())
                outcome_.problems.push_back(std::move(found));
            return;
        }
        exports_.close(outcome_);
        const bool committed = outcome_.succeeded();
        for (ExportFileKind kind : kExportFileKinds) {
            if (!exports_.isOpen(kind)) continue;
            outcome_.written[indexOf(kind)] = committed;
            outcome_.fileNames[indexOf(kind)] = exports_.path(kind);
            outcome_.rowsWritten[indexOf(kind)] = exports_.rowsWritten(kind);
        }
    }

    const StatusCallback& reportStatus_;
    const ExportIo& io_;
    ExportFiles exports_;
};

// A run whose rows go to a store, formatted on its own thread.
class StoreRun : RunSteps {
public:
    StoreRun(const ExportOptions& options, RowStore& store) : RunSteps(options), store_(store) {}

    ExportOutcome execute(SeasonInput input) {
        if (read(std::move(input)) && openSinks()) {
            const LineAppender noLines; // the store's sinks take rows, not lines
            exportRecords({false, &noLines, 1, nullptr,
                           "holds no records: the season has no statistics lines in the database"});
            finish();
        }
        return std::move(outcome_);
    }

private:
    bool openSinks() {
        targets_.withIds = options_.includeIds;
        for (ExportFileKind kind : kExportFileKinds) {
            if (!isExportFileSelected(kind, options_)) continue;
            std::string reason;
            targets_.sinks[indexOf(kind)] = store_.open(kind, reason);
            if (targets_.sink(kind) == nullptr) problem(storedName(kind), reason);
        }
        return outcome_.succeeded();
    }

    void finish() {
        for (ExportFileKind kind : kExportFileKinds) {
            if (targets_.sink(kind) == nullptr) continue;
            if (std::string reason = store_.finish(kind); !reason.empty()) problem(storedName(kind), reason);
            outcome_.rowsWritten[indexOf(kind)] = store_.rowsWritten(kind);
        }
        for (ExportFileKind kind : kExportFileKinds)
            outcome_.written[indexOf(kind)] = outcome_.succeeded() && targets_.sink(kind) != nullptr;
    }

    RowStore& store_;
};

} // namespace

ExportOutcome runExport(const ExportOptions& options, const StatusCallback& reportStatus) {
    return runExport(options, reportStatus, fileSystemIo());
}

ExportOutcome runExport(const ExportOptions& options, const StatusCallback& reportStatus,
                        const ExportIo& io) {
    return FileRun(options, reportStatus, io).execute();
}

ExportOutcome runExport(const ExportOptions& options, SeasonInput input, RowStore& store) {
    return StoreRun(options, store).execute(std::move(input));
}

} // namespace boxloom
