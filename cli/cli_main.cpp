#include "cli_main.h"

#include "cli_options.h"
#include "export_file_kinds.h"
#include "export_run.h"

#include <ostream>

#ifndef BOXLOOM_VERSION
#define BOXLOOM_VERSION "0.0.0"
#endif

namespace boxloom::cli {

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void printWrittenFiles(const ExportOutcome& outcome, std::ostream& out) {
    for (ExportFileKind kind : kExportFileKinds) {
        const std::size_t index = indexOf(kind);
        if (!outcome.written[index]) continue;
        const std::uint64_t rows = outcome.rowsWritten[index];
        out << outcome.fileNames[index] << ": " << rows << (rows == 1 ? " row" : " rows") << '\n';
    }
}

} // namespace

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const CliCommand command = parseCommandLine(arguments);
    switch (command.action) {
    case CliAction::Help: out << usageText(); return kExitSuccess;
    case CliAction::Version: out << "boxloom-export " << BOXLOOM_VERSION << '\n'; return kExitSuccess;
    case CliAction::UsageError:
        err << "boxloom-export: " << command.error << "\n\n" << usageText();
        return kExitUsage;
    case CliAction::Export: break;
    }

    const ExportOutcome outcome = runExport(command.options);
    if (!outcome.succeeded()) {
        for (const ExportProblem& problem : outcome.problems)
            err << "boxloom-export: " << problem.file << ": " << problem.reason << '\n';
        err << (outcome.earlierFilesKept
                    ? "boxloom-export: export FAILED; earlier export files were left as they were\n"
                    : "boxloom-export: export FAILED; some export files hold the new export, as listed "
                      "above\n");
        return kExitFailed;
    }
    printWrittenFiles(outcome, out);
    for (const ExportProblem& leftover : outcome.warnings)
        err << "boxloom-export: warning: " << leftover.file << ": " << leftover.reason << '\n';
    if (outcome.staleSideFilesRemoved > 0) {
        err << "boxloom-export: removed " << outcome.staleSideFilesRemoved
            << (outcome.staleSideFilesRemoved == 1 ? " temporary file" : " temporary files")
            << " left by an interrupted export\n";
    }
    if (outcome.recordsSkipped > 0) {
        err << "boxloom-export: warning: " << outcome.recordsSkipped
            << (outcome.recordsSkipped == 1 ? " record was" : " records were")
            << " skipped: player, team or stat type number outside the league tables\n";
    }
    return kExitSuccess;
}

} // namespace boxloom::cli
