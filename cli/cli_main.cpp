#include "cli_main.h"

#include "cli_options.h"
#include "export_file_kinds.h"
#include "export_run.h"
#include "import_report.h"
#include "league_store.h"
#include "option_grammar.h"
#include "output_folder.h"
#include "report_printing.h"
#include "season_import.h"

#include <algorithm>

#include <ostream>
#include <sstream>

#ifndef BOXLOOM_VERSION
#define BOXLOOM_VERSION "0.0.0"
#endif

namespace boxloom::cli {

namespace {

void printWrittenFiles(const ExportOutcome& outcome, std::ostream& out) {
    for (ExportFileKind kind : kExportFileKinds) {
        const std::size_t index = indexOf(kind);
        if (!outcome.written[index]) continue;
        const std::uint64_t rows = outcome.rowsWritten[index];
        out << outcome.fileNames[index] << ": " << rows << (rows == 1 ? " row" : " rows") << '\n';
    }
}

constexpr std::string_view kProgram = "boxloom-export";

// What the run put right before its own work: an interrupted export completed, side files cleared.
void printRecovery(const FolderRecovery& recovery, std::ostream& err) {
    for (const std::string& note : recovery.notes)
        err << "boxloom-export: " << note << '\n';
    auto count = [&](std::uint64_t n, const char* one, const char* many, const char* what) {
        if (n > 0) err << "boxloom-export: " << what << ' ' << n << ' ' << (n == 1 ? one : many) << '\n';
    };
    count(recovery.sideFilesRemoved, "temporary file left by an interrupted export",
          "temporary files left by an interrupted export", "removed");
    count(recovery.sideFilesRestored, "earlier export file that an interrupted export had moved aside",
          "earlier export files that an interrupted export had moved aside", "put back");
}

// True of the folder as the failed run leaves it.
std::string failedRunClosing(const ExportOutcome& outcome) {
    if (!outcome.recovery.problems.empty())
        return "an interrupted export could not be completed, so the folder may hold files of two exports, "
               "as listed above";
    return outcome.earlierFilesKept ? "earlier export files were left as they were"
                                    : "some export files hold the new export, as listed above";
}

int importIntoDatabase(const CliCommand& command, std::ostream& out, std::ostream& err) {
    std::vector<database::SeasonSource> seasons;
    for (const std::string& folder : command.seasonFolders)
        seasons.push_back(
            {command.seasonLabel.empty() ? database::defaultSeasonLabel(folder) : command.seasonLabel,
             folder});
    database::ImportControl control;
    control.replace = command.replace;
    const database::ImportOutcome outcome =
        database::importSeasons(command.database, seasons, command.options, control);
    printReport(kProgram, database::importReport(command.database, seasons, outcome), out, err);
    return outcome.succeeded() ? kExitSuccess : kExitFailed;
}

// One line per season under the captions, each column as wide as its widest
// cell, numbers to the right.
std::string seasonTable(const std::vector<database::SeasonSummary>& seasons) {
    using database::kSeasonListColumns;
    std::vector<database::SeasonListCells> rows;
    database::SeasonListCells& captions = rows.emplace_back();
    for (std::size_t i = 0; i < kSeasonListColumns.size(); ++i)
        captions[i] = kSeasonListColumns[i].caption;
    for (const database::SeasonSummary& season : seasons)
        rows.push_back(database::seasonListCells(season));
    std::array<std::size_t, kSeasonListColumns.size()> widths{};
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    std::string table;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string pad(widths[i] - row[i].size(), ' ');
            line += (i == 0 ? "" : "  ") + (kSeasonListColumns[i].numeric ? pad + row[i] : row[i] + pad);
        }
        table += line.erase(line.find_last_not_of(' ') + 1) + '\n';
    }
    return table;
}

int listSeasons(const CliCommand& command, std::ostream& out, std::ostream& err) {
    database::LeagueStore store;
    std::vector<database::SeasonSummary> seasons;
    std::string reason = store.open(command.database);
    if (reason.empty()) reason = store.summaries(seasons);
    if (!reason.empty()) {
        err << "boxloom-export: " << command.database << ": " << reason << '\n';
        return kExitFailed;
    }
    out << seasonTable(seasons);
    return kExitSuccess;
}

int removeSeasons(const CliCommand& command, std::ostream& out, std::ostream& err) {
    const database::RemovalOutcome outcome = database::removeSeasons(command.database, command.removeLabels);
    printReport(kProgram, database::removalReport(command.database, outcome), out, err);
    return outcome.succeeded() ? kExitSuccess : kExitFailed;
}

int runCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const CliCommand command = parseCommandLine(arguments);
    switch (command.action) {
    case CliAction::Help: out << usageText(); return kExitSuccess;
    case CliAction::Version: out << "boxloom-export " << BOXLOOM_VERSION << '\n'; return kExitSuccess;
    case CliAction::UsageError:
        err << "boxloom-export: " << command.error << "\nTry 'boxloom-export --help' for more information.\n";
        return kExitUsage;
    case CliAction::Export:
    case CliAction::ListSeasons:
    case CliAction::RemoveSeasons: break;
    }
    std::ostringstream quiet;
    std::ostream& report = command.quiet ? quiet : out;
    if (command.action == CliAction::ListSeasons) return listSeasons(command, out, err);
    if (command.action == CliAction::RemoveSeasons) return removeSeasons(command, report, err);
    if (!command.database.empty()) return importIntoDatabase(command, report, err);
    const OutputFolder folder = prepareOutputFolder(command.options.outputFolder);
    printReport(kProgram, folder.lines, report, err);
    if (!folder.ready) return kExitFailed;

    const ExportOutcome outcome = runExport(command.options);
    printRecovery(outcome.recovery, err);
    if (!outcome.succeeded()) {
        folder.removeIfUnused();
        for (const ExportProblem& problem : outcome.problems)
            err << "boxloom-export: " << problem.file << ": " << problem.reason << '\n';
        err << "boxloom-export: export FAILED; " << failedRunClosing(outcome) << '\n';
        // What the run found left behind is said whatever became of the run.
        printReport(kProgram, warningLines(outcome.warnings, 0), out, err);
        return kExitFailed;
    }
    printWrittenFiles(outcome, report);
    printReport(kProgram, warningLines(outcome.warnings, outcome.recordsSkipped), out, err);
    return kExitSuccess;
}

} // namespace

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const int status = runCommand(arguments, out, err);
    // Output that never arrived is a failure, as in any tool a script relies on.
    if (!out.flush()) {
        err << "boxloom-export: write error on standard output\n";
        return kExitFailed;
    }
    return status;
}

} // namespace boxloom::cli
