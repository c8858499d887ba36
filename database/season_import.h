#pragma once

// Imports seasons into a league database: all of one call in one transaction,
// so the database holds either every season given or what it held before.

#include "export_options.h"
#include "export_outcome.h"
#include "season_list.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::database {

struct SeasonSource {
    std::string label;
    std::string folder;
};

struct ImportOutcome {
    std::vector<ExportProblem> problems;
    std::vector<ExportProblem> warnings;
    std::uint64_t recordsSkipped = 0;
    // Rows written per season, in the order given.
    std::vector<std::uint64_t> rowsPerSeason;
    // The seasons that replaced one of their label, with both counts of batting lines.
    struct Replaced {
        std::string label;
        std::uint64_t battingLines = 0;
        std::uint64_t heldBattingLines = 0;
    };
    std::vector<Replaced> replaced;
    bool createdDatabase = false; // the database's file was made by this import
    // Work files (and their journals) of killed imports into a new database of this name.
    std::uint64_t workFilesRemoved = 0;
    // Seasons not imported because they would lose what the database holds;
    // ImportControl::replace imports them. Nothing is imported while any is refused.
    struct Refusal {
        enum class Kind { NoRecords, PartialRecord, OtherYear, FewerLines } kind;
        std::string label;
        std::string file; // the statistics file or the season folder
        std::string reason;
        std::uint64_t battingLines = 0;
        bool held = false; // the database holds a season of the label
        std::uint64_t heldBattingLines = 0;
    };
    std::vector<Refusal> refusals;

    bool cancelled = false;

    bool succeeded() const { return problems.empty() && refusals.empty(); }
};

// How a new database's file takes its name once its import has committed:
// the platform's moves, or a test's faults.
struct NewDatabaseMoves {
    // Never replaces a file; the reason it failed or could not finish, or "".
    std::function<std::string(const std::string& from, const std::string& to)> move;
    // The reason of a failure, or "".
    std::function<std::string(const std::string& from, const std::string& to)> moveReplacing;
};

// What a window needs of a long import: where it has got to, and a way to stop
// it. The import stops between rows and leaves the database as it was.
struct ImportControl {
    // After each season: seasons done, seasons in all. Called on the import's thread.
    std::function<void(std::size_t, std::size_t)> progress;
    const std::atomic<bool>* cancel = nullptr;
    // A season is refused, and nothing imported, when its statistics file is
    // empty or ends in a partial record, or when it would replace a season of
    // its label that has another year or more batting lines; unless this is set.
    bool replace = false;
    NewDatabaseMoves moves; // empty: the platform's
};

inline constexpr std::string_view kImportCancelled = "the import was cancelled";

// The season's label when none is given: the folder's own name.
std::string defaultSeasonLabel(const std::string& folder);

// The export options a season is imported with: every statistics table, with
// player and team numbers; team notation and pitcher hitting from `options`.
ExportOptions importOptions(const ExportOptions& options, const std::string& seasonFolder);

// Team notation and pitcher-hitting mode come from `options`; every statistics
// table is written, texts as UTF-8, with player and team numbers.
ImportOutcome importSeasons(const std::string& databasePath, const std::vector<SeasonSource>& seasons,
                            const ExportOptions& options, const ImportControl& control = {});

struct RemovalOutcome {
    std::vector<ExportProblem> problems;
    // What each removed season held, in label order.
    std::vector<SeasonSummary> removed;
    bool succeeded() const { return problems.empty(); }
};

// Deletes the seasons' rows in one transaction: all of them, or none when a
// label is not in the database or a delete fails.
RemovalOutcome removeSeasons(const std::string& databasePath, const std::vector<std::string>& labels);

} // namespace boxloom::database
