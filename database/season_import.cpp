#include "season_import.h"

#include "new_database_files.h"
#include "season_removal.h"

#include "commit_record.h"
#include "export_file_kinds.h"
#include "export_run.h"
#include "file_layer.h"
#include "league_files.h"
#include "league_schema.h"
#include "platform_files.h"
#include "season_input.h"
#include "season_stats.h"
#include "sqlite_db.h"
#include "table_rows.h"
#include "temporary_names.h"
#include "text_encoding.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace boxloom::database {

namespace {

class Import {
public:
    Import(const std::string& path, const std::vector<SeasonSource>& seasons, const ExportOptions& options,
           const ImportControl& control)
        : path_(path), seasons_(seasons), options_(options), control_(control) {}

    ImportOutcome run() {
        if (!leagueFilesOpen()) return std::move(outcome_);
        // A new database is made beside its name and takes the name only once
        // its import has committed: a failed import leaves no file behind.
        outcome_.workFilesRemoved = removeWorkFilesOfGoneImports(path_);
        const bool newFile = !platform::pathExists(path_);
        workPath_ = newFile ? freeWorkPath(path_) : path_;
        if (openDatabase() && begin()) {
            for (std::size_t i = 0; i < seasons_.size(); ++i) {
                const bool imported = !cancelled() && importSeason(i);
                if (cancelled() || !imported) break;
                if (control_.progress) control_.progress(i + 1, seasons_.size());
            }
            if (outcome_.succeeded()) commit(newFile);
            if (!outcome_.succeeded()) rollBack();
        }
        if (newFile) discardWorkFile();
        outcome_.createdDatabase = newFile && outcome_.succeeded();
        return std::move(outcome_);
    }

private:
    bool cancelled() {
        if (outcome_.cancelled || control_.cancel == nullptr || !control_.cancel->load())
            return outcome_.cancelled;
        outcome_.cancelled = true;
        outcome_.problems.assign(1, {path_, std::string(kImportCancelled)});
        return true;
    }

    // Refused seasons do not stop the others; problems do.
    bool noProblems() const { return outcome_.problems.empty(); }

    void problem(std::string file, std::string reason) {
        outcome_.problems.push_back({std::move(file), std::move(reason)});
    }

    void commit(bool newFile) {
        std::string reason = db_.execute(indexesSql());
        if (reason.empty()) reason = db_.execute("COMMIT");
        if (!reason.empty()) return problem(path_, reason);
        committed_ = true;
        if (!newFile) return;
        db_.close();
        moveIntoPlace();
    }

    void moveIntoPlace() {
        const NewDatabaseMoves& moves = control_.moves;
        if ((moves.move ? moves.move(workPath_, path_) : platform::moveIfAbsent(workPath_, path_)).empty())
            return;
        // Linked into place, but its work name could not be removed: the import is done.
        if (platform::sameFile(workPath_, path_)) {
            platform::removeIfPresent(workPath_);
            return;
        }
        if (platform::pathExists(path_))
            return problem(path_, "was made by another program during the import; nothing imported");
        // Some file systems cannot move a file without the chance of replacing one.
        const std::string failed = moves.moveReplacing ? moves.moveReplacing(workPath_, path_)
                                                       : platform::moveReplacing(workPath_, path_);
        if (!failed.empty()) problem(path_, failed);
    }

    // SQLite may have ended the transaction itself (a full disk) and left its
    // journal to be played back: opening the database again puts it back.
    void rollBack() {
        // A new file that committed but could not take its name is discarded whole.
        if (committed_) return;
        if (db_.inTransaction()) {
            db_.execute("ROLLBACK");
            return;
        }
        db_.close();
        if (!db_.open(workPath_).empty()) return;
        if (std::string reason = db_.execute("SELECT count(*) FROM sqlite_master"); !reason.empty())
            problem(path_, "the earlier state could not be put back yet (" + reason + ")");
    }

    void discardWorkFile() {
        db_.close();
        platform::removeIfPresent(workPath_);
        platform::removeIfPresent(workPath_ + "-journal");
    }

    // Every league file of every season opens before the database is touched,
    // and a statistics file that holds no whole season is refused there.
    bool leagueFilesOpen() {
        for (const SeasonSource& season : seasons_) {
            if (std::string reason = seasonFolderProblem(season.folder); !reason.empty()) {
                problem(season.folder, reason);
                continue;
            }
            for (const std::string_view name : kLeagueFileNames) {
                const std::string path = joinPath(season.folder, name);
                ReadOnlyFile file;
                if (std::string reason = file.open(path); !reason.empty()) problem(path, reason);
            }
            statisticsFiles_.push_back(
                noProblems() ? checkStatisticsFile(joinPath(season.folder, kStatsFileName)) : Damage{});
        }
        return noProblems();
    }

    // A statistics file that holds no whole season, found by its size alone.
    struct Damage {
        std::optional<ImportOutcome::Refusal::Kind> kind;
        std::string reason;
    };
    Damage checkStatisticsFile(const std::string& path) {
        using Kind = ImportOutcome::Refusal::Kind;
        ReadOnlyFile file;
        std::string reason = file.open(path);
        const std::uint64_t size = reason.empty() ? file.size(reason) : 0;
        if (!reason.empty()) {
            problem(path, reason);
            return {};
        }
        if (size == 0) return {Kind::NoRecords, "holds no statistics records"};
        if (size % kSeasonRecordSize == 0) return {};
        return {Kind::PartialRecord, "ends in a partial record (" + std::to_string(size) +
                                         " bytes, records of " + std::to_string(kSeasonRecordSize) +
                                         "): a file cut short"};
    }

    struct HeldSeason {
        bool held = false;
        std::int64_t year = 0;
        std::uint64_t battingLines = 0;
    };
    HeldSeason heldSeason(const std::string& label) {
        HeldSeason held;
        Statement seasons(db_, "SELECT count(*) FROM \"Seasons\" WHERE \"Season\" = ?");
        Statement year(db_, "SELECT max(\"Year\") FROM \"Teams\" WHERE \"Season\" = ?");
        Statement lines(db_, "SELECT count(*) FROM \"Batting_Stats\" WHERE \"Season\" = ?");
        for (Statement* query : {&seasons, &year, &lines})
            query->bindText(1, label);
        if (seasons.step() && seasons.hasRow()) held.held = seasons.integerColumn(0) > 0;
        if (year.step() && year.hasRow()) held.year = year.integerColumn(0);
        if (lines.step() && lines.hasRow())
            held.battingLines = static_cast<std::uint64_t>(lines.integerColumn(0));
        return held;
    }

    // A season replaces one of its label only when that is clearly meant.
    void refuseUnlessMeant(std::size_t index, const HeldSeason& held, std::int64_t year,
                           std::uint64_t battingLines) {
        using Kind = ImportOutcome::Refusal::Kind;
        const SeasonSource& season = seasons_[index];
        const std::string named = "season " + season.label;
        ImportOutcome::Refusal refusal{Kind::NoRecords, season.label, season.folder,    {},
                                       battingLines,    held.held,    held.battingLines};
        if (const Damage& damage = statisticsFiles_[index]; damage.kind) {
            refusal.kind = *damage.kind;
            refusal.file = joinPath(season.folder, kStatsFileName);
            refusal.reason = damage.reason;
        } else if (held.held && held.year != year) {
            refusal.kind = Kind::OtherYear;
            refusal.reason = named + " in the database is of " + std::to_string(held.year) +
                             ", this folder of " + std::to_string(year);
        } else if (held.held && battingLines < held.battingLines) {
            refusal.kind = Kind::FewerLines;
            refusal.reason = "this folder has " + std::to_string(battingLines) + " batting lines, " + named +
                             " in the database " + std::to_string(held.battingLines) +
                             " (an earlier or cut-short season file)";
        }
        if (!control_.replace && !refusal.reason.empty()) return outcome_.refusals.push_back(refusal);
        if (held.held) outcome_.replaced.push_back({season.label, battingLines, held.battingLines});
    }

    bool openDatabase() {
        if (std::string reason = db_.open(workPath_); !reason.empty()) {
            problem(path_, reason);
            return false;
        }
        Statement version(db_, "PRAGMA user_version");
        Statement tables(db_, "SELECT name FROM sqlite_master WHERE type = 'table'");
        if (!version.ok() || !tables.ok() || !version.step() || !tables.step()) {
            problem(path_, db_.reason());
            return false;
        }
        fresh_ = !tables.hasRow();
        if (fresh_) return true;
        if (std::string reason = schemaProblem(db_); !reason.empty()) {
            problem(path_, reason);
            return false;
        }
        return true;
    }

    // Waits a few seconds for another program's write transaction.
    bool begin() {
        std::string reason = db_.execute("BEGIN IMMEDIATE");
        if (reason.empty() && fresh_) reason = db_.execute(schemaSql());
        if (!reason.empty()) {
            problem(path_, reason);
            db_.execute("ROLLBACK");
            return false;
        }
        return true;
    }

    // A refused season does not stop the others: every refusal is told at once.
    bool importSeason(std::size_t index) {
        const SeasonSource& season = seasons_[index];
        const HeldSeason held = heldSeason(season.label);
        if (!forgetSeason(season)) return false;
        const ExportOptions options = importOptions(options_, season.folder);
        FileSystemLeagueFiles leagueFiles;
        SeasonInput input = readSeasonInput(options, leagueFiles);
        for (const ExportProblem& found : input.problems)
            problem(found.file, found.reason);
        if (!input.succeeded() || !insertTeams(season, *input.teams) ||
            !insertPlayers(season, *input.players))
            return false;
        const std::int64_t year = latestYear(*input.teams);
        SeasonTables tables(db_, season.label, control_.cancel);
        const ExportOutcome outcome = runExport(options, std::move(input), tables);
        // A league file's problem names it; a table's is the database's.
        for (const ExportProblem& found : outcome.problems)
            problem(found.file.rfind(season.folder, 0) == 0 ? found.file : path_, found.reason);
        for (const ExportProblem& warning : outcome.warnings)
            outcome_.warnings.push_back(warning);
        outcome_.recordsSkipped += outcome.recordsSkipped;
        std::uint64_t rows = 0;
        for (std::uint64_t count : outcome.rowsWritten)
            rows += count;
        outcome_.rowsPerSeason.push_back(rows);
        const std::uint64_t battingLines =
            outcome.rowsWritten[static_cast<std::size_t>(ExportFileKind::BattingStats)];
        if (outcome.succeeded()) refuseUnlessMeant(index, held, year, battingLines);
        return outcome.succeeded();
    }

    static std::int64_t latestYear(const TeamTable& teams) {
        std::int64_t year = 0;
        for (int number = 0; number <= TeamTable::kMax; ++number)
            if (teams[number].loaded) year = std::max<std::int64_t>(year, teams[number].year);
        return year;
    }

    bool forgetSeason(const SeasonSource& season) {
        if (std::string reason = deleteSeasonRows(db_, season.label); !reason.empty()) {
            problem(path_, reason);
            return false;
        }
        Statement add(db_, "INSERT INTO \"Seasons\" VALUES (?, ?, ?)");
        add.bindText(1, season.label);
        add.bindText(2, season.folder);
        add.bindText(3, platform::utcNow());
        if (!add.step()) problem(path_, db_.reason());
        return noProblems();
    }

    bool insertTeams(const SeasonSource& season, const TeamTable& teams) {
        Statement insert(db_, "INSERT INTO \"Teams\" VALUES (?, ?, ?, ?, ?, ?)");
        for (int number = 0; number <= TeamTable::kMax; ++number) {
            const TeamRow& team = teams[number];
            if (!team.loaded) continue;
            insert.reset();
            insert.bindText(1, season.label);
            insert.bindInteger(2, number);
            insert.bindText(3, windows1252ToUtf8(team.city));
            insert.bindText(4, windows1252ToUtf8(team.nickname));
            insert.bindText(5, windows1252ToUtf8(team.abbreviation));
            insert.bindInteger(6, std::stoll(team.yearText));
            if (!insert.step()) return failed();
        }
        return true;
    }

    bool insertPlayers(const SeasonSource& season, const PlayerTable& players) {
        Statement insert(db_, "INSERT INTO \"Players\" VALUES (?, ?, ?, ?, ?)");
        for (int number = 0; number <= PlayerTable::kMax; ++number) {
            const PlayerRow& player = players[number];
            if (!player.loaded) continue;
            insert.reset();
            insert.bindText(1, season.label);
            insert.bindInteger(2, number);
            insert.bindText(3, windows1252ToUtf8(player.lastName));
            insert.bindText(4, windows1252ToUtf8(player.firstName));
            insert.bindInteger(5, player.kind);
            if (!insert.step()) return failed();
        }
        return true;
    }

    bool failed() {
        problem(path_, db_.reason());
        return false;
    }

    const std::string& path_;
    const std::vector<SeasonSource>& seasons_;
    const ExportOptions& options_;
    const ImportControl& control_;
    std::vector<Damage> statisticsFiles_; // per season
    std::string workPath_;                // the database's own path, or the new file beside it
    bool committed_ = false;
    Connection db_;
    bool fresh_ = false;
    ImportOutcome outcome_;
};

} // namespace

std::string defaultSeasonLabel(const std::string& folder) {
    std::string_view trimmed = folder;
    while (trimmed.size() > 1 && (trimmed.back() == '/' || trimmed.back() == '\\'))
        trimmed.remove_suffix(1);
    return std::string(nameOf(trimmed));
}

ExportOptions importOptions(const ExportOptions& options, const std::string& seasonFolder) {
    ExportOptions imported = options;
    imported.seasonFolder = seasonFolder;
    imported.includeFielding = imported.includePitchingSplits = imported.includeHittingSplits = true;
    imported.includeIds = true;
    return imported;
}

ImportOutcome importSeasons(const std::string& databasePath, const std::vector<SeasonSource>& seasons,
                            const ExportOptions& options, const ImportControl& control) {
    return Import(databasePath, seasons, options, control).run();
}

} // namespace boxloom::database
