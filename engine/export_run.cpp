#include "export_run.h"

#include "export_pipeline.h"
#include "export_writer.h"
#include "file_layer.h"
#include "league_files.h"
#include "paths.h"
#include "pitcher_totals.h"
#include "record_exporter.h"
#include "record_reader.h"
#include "season_stats.h"

#include <array>
#include <memory>

namespace boxloom {

namespace {

enum LeagueFile { kTeamFile, kPlayerFile, kSeasonFile };

// A file's rows in a store: "Batting_Stats".
std::string storedName(ExportFileKind kind) {
    const std::string_view stem = exportFileStem(kind);
    return std::string(stem.substr(0, stem.size() - 1));
}

struct RunTables {
    TeamTable teams;
    PlayerTable players;
    PitcherTotals pitcherTotals;
};

// What a run reads from and writes to: export files, or a store of rows.
struct RunIo {
    LeagueFileOpener& leagueFiles;
    OutputFileFactory* outputs = nullptr;
    RowStore* store = nullptr;
    std::function<ChunkFormatter(ChunkFormatter)> chunkFormatter;
};

class Run {
public:
    Run(const ExportOptions& options, const StatusCallback& reportStatus, const RunIo& io)
        : options_(options), reportStatus_(reportStatus), io_(io), tables_(std::make_unique<RunTables>()) {}

    ExportOutcome execute() {
        if ((io_.store != nullptr || recoverOutputFolder()) && openLeagueFiles() && loadTables() &&
            openExports()) {
            report(kStatusProcessing);
            exportRecords();
            finish();
        }
        report(outcome_.succeeded() ? kStatusCompleted : kStatusFailed);
        return std::move(outcome_);
    }

private:
    void report(std::string_view status) const {
        if (reportStatus_) reportStatus_(status);
    }
    void problem(std::string file, std::string reason) {
        outcome_.problems.push_back({std::move(file), std::move(reason)});
    }

    void warnPartial(LeagueFile file) {
        outcome_.warnings.push_back(
            {paths_[file], "its size is not a whole number of records: the last record was partial and read "
                           "as if filled with zero bytes"});
    }

    bool openLeagueFiles() {
        if (options_.seasonFolder.empty()) {
            problem("season folder", "no season folder given");
            return false;
        }
        for (std::size_t i = 0; i < kLeagueFileNames.size(); ++i) {
            paths_[i] = joinPath(options_.seasonFolder, kLeagueFileNames[i]);
            std::string reason;
            leagueFiles_[i] = io_.leagueFiles.open(paths_[i], reason);
            if (!leagueFiles_[i]) problem(paths_[i], reason.empty() ? "cannot be read" : reason);
        }
        return outcome_.succeeded();
    }

    bool loadTables() {
        const LoadResult teams =
            loadTeamFile(*leagueFiles_[kTeamFile], options_.teamNotation, tables_->teams);
        leagueFiles_[kTeamFile].reset();
        const LoadResult players = loadPlayerFile(*leagueFiles_[kPlayerFile], tables_->players);
        leagueFiles_[kPlayerFile].reset();
        if (!teams.error.empty()) problem(paths_[kTeamFile], teams.error);
        if (!players.error.empty()) problem(paths_[kPlayerFile], players.error);
        if (teams.lastRecordPartial) warnPartial(kTeamFile);
        if (players.lastRecordPartial) warnPartial(kPlayerFile);
        return outcome_.succeeded();
    }

    // Whatever the run goes on to do, an export that died half moved into place
    // is completed first, so that the folder holds one whole export.
    bool recoverOutputFolder() {
        outcome_.recovery = io_.outputs->recoverFolder(options_.outputFolder, isExportFileName);
        for (const ExportProblem& found : outcome_.recovery.problems)
            outcome_.problems.push_back(found);
        for (const ExportProblem& found : outcome_.recovery.warnings)
            outcome_.warnings.push_back(found);
        return outcome_.succeeded();
    }

    bool openExports() {
        if (io_.store == nullptr) {
            for (auto& found : exports_.open(options_, *io_.outputs))
                outcome_.problems.push_back(std::move(found));
            targets_ = exports_.targets();
            return outcome_.succeeded();
        }
        targets_.withIds = options_.includeIds;
        for (ExportFileKind kind : kExportFileKinds) {
            if (!isExportFileSelected(kind, options_)) continue;
            std::string reason;
            targets_.sinks[indexOf(kind)] = io_.store->open(kind, reason);
            if (targets_.sink(kind) == nullptr) problem(storedName(kind), reason);
        }
        return outcome_.succeeded();
    }

    void exportRecords() {
        RecordReader reader(*leagueFiles_[kSeasonFile], kSeasonRecordSize);
        const RecordExporter exporter(options_, tables_->teams, tables_->players, io_.store == nullptr);
        const ChunkFormatter format = [&exporter](const std::uint8_t* records, std::size_t count,
                                                  const RowTargets& rows, PitcherTotals& grouped) {
            return exporter.exportRecords(records, count, rows, grouped);
        };
        const LineAppender append = [this](ExportFileKind kind, std::string_view text, std::uint64_t lines) {
            exports_.appendLines(kind, text, lines);
        };
        const PipelineResult result = runPipeline(
            reader, io_.chunkFormatter ? io_.chunkFormatter(format) : format, targets_, append,
            tables_->pitcherTotals, io_.store != nullptr ? 1 : formattingThreads(options_.threads),
            options_.encoding != TextEncoding::Windows1252);
        outcome_.recordsRead = reader.recordsFromFile();
        outcome_.recordsAccepted = result.counts.accepted;
        outcome_.recordsSkipped = result.counts.skipped;
        if (!reader.error().empty()) problem(paths_[kSeasonFile], reader.error());
        if (!result.error.empty()) problem(paths_[kSeasonFile], result.error);
        if (reader.lastRecordPartial()) warnPartial(kSeasonFile);
        if (outcome_.recordsRead == 0 && reader.error().empty())
            outcome_.warnings.push_back({paths_[kSeasonFile], io_.store != nullptr
                                                                  ? "holds no records: the season has no "
                                                                    "statistics lines in the database"
                                                                  : "holds no records: the export files hold "
                                                                    "only their header rows"});
        tables_->pitcherTotals.writePitcherRows(targets_, tables_->teams, options_.includeHittingSplits);
        leagueFiles_[kSeasonFile].reset();
    }

    void finish() {
        if (io_.store != nullptr) return finishStore();
        const bool readFailed = !outcome_.succeeded();
        if (readFailed) {
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

    void finishStore() {
        for (ExportFileKind kind : kExportFileKinds) {
            if (targets_.sink(kind) == nullptr) continue;
            if (std::string reason = io_.store->finish(kind); !reason.empty())
                problem(storedName(kind), reason);
            outcome_.rowsWritten[indexOf(kind)] = io_.store->rowsWritten(kind);
        }
        for (ExportFileKind kind : kExportFileKinds)
            outcome_.written[indexOf(kind)] = outcome_.succeeded() && targets_.sink(kind) != nullptr;
    }

    const ExportOptions& options_;
    const StatusCallback& reportStatus_;
    RunIo io_;
    std::unique_ptr<RunTables> tables_;
    std::array<std::unique_ptr<ByteSource>, 3> leagueFiles_;
    std::array<std::string, 3> paths_;
    ExportFiles exports_;
    RowTargets targets_;
    ExportOutcome outcome_;
};

} // namespace

ExportOutcome runExport(const ExportOptions& options, const StatusCallback& reportStatus) {
    return runExport(options, reportStatus, fileSystemIo());
}

ExportOutcome runExport(const ExportOptions& options, const StatusCallback& reportStatus,
                        const ExportIo& io) {
    return Run(options, reportStatus, RunIo{io.leagueFiles, &io.outputs, nullptr, io.chunkFormatter})
        .execute();
}

ExportOutcome runExport(const ExportOptions& options, LeagueFileOpener& leagueFiles, RowStore& store) {
    return Run(options, {}, RunIo{leagueFiles, nullptr, &store, {}}).execute();
}

} // namespace boxloom
