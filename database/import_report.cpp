#include "import_report.h"

namespace boxloom::database {

namespace {

// 2604 as "2,604".
std::string withThousands(std::uint64_t count) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

std::string counted(std::int64_t count, const char* one, const char* many) {
    return withThousands(static_cast<std::uint64_t>(count)) + " " + (count == 1 ? one : many);
}

std::vector<ReportLine> failureLines(const std::vector<ExportProblem>& problems, const std::string& what,
                                     const std::string& databasePath) {
    std::vector<ReportLine> lines;
    for (const ExportProblem& problem : problems)
        lines.push_back({true, problem.file + ": " + problem.reason});
    lines.push_back({true, what + " FAILED; " + databasePath + " was left as it was"});
    return lines;
}

std::string refusalLine(const ImportOutcome::Refusal& refusal, ReplaceBy replaceBy) {
    using Kind = ImportOutcome::Refusal::Kind;
    std::string line = refusal.file + ": " + refusal.reason + ": nothing imported";
    if (replaceBy == ReplaceBy::Question) return line;
    return line + (refusal.kind == Kind::OtherYear ? "; give --season LABEL for the new year, or --replace"
                                                   : "; --replace imports it anyway");
}

std::string linesOf(std::uint64_t count) {
    return withThousands(count) + (count == 1 ? " batting line" : " batting lines");
}

} // namespace

std::vector<ReportLine> removalReport(const std::string& databasePath, const RemovalOutcome& outcome) {
    if (!outcome.succeeded()) return failureLines(outcome.problems, "removal", databasePath);
    std::vector<ReportLine> lines;
    for (const SeasonSummary& season : outcome.removed)
        lines.push_back({false, databasePath + ": removed season " + season.label + " (" +
                                    counted(season.teams, "team", "teams") + ", " +
                                    counted(season.players, "player", "players") + ", " +
                                    counted(season.rows, "row", "rows") + ")"});
    return lines;
}

std::string replaceQuestion(const std::string& databasePath, const ImportOutcome& outcome) {
    if (outcome.refusals.empty() || !outcome.problems.empty()) return {};
    std::string question = outcome.refusals.size() == 1 ? "This season was not imported:\n"
                                                        : "These seasons were not imported:\n";
    for (const ImportOutcome::Refusal& refusal : outcome.refusals) {
        question +=
            "\nSeason " + refusal.label + ": " + linesOf(refusal.battingLines) + " in " + refusal.file;
        question += refusal.held ? ", where " + databasePath + " holds " + linesOf(refusal.heldBattingLines)
                                 : std::string(", a new season");
        question += " (" + refusal.reason + ").\n";
    }
    return question + (outcome.refusals.size() == 1 ? "\nImport it anyway?" : "\nImport them anyway?");
}

std::vector<ReportLine> importReport(const std::string& databasePath,
                                     const std::vector<SeasonSource>& seasons, const ImportOutcome& outcome,
                                     ReplaceBy replaceBy) {
    std::vector<ReportLine> lines;
    if (const std::uint64_t removed = outcome.workFilesRemoved; removed > 0)
        lines.push_back({true, "removed " + std::to_string(removed) +
                                   (removed == 1 ? " work file" : " work files") +
                                   " left by an interrupted import into a new " + databasePath});
    if (!outcome.succeeded()) {
        for (const ImportOutcome::Refusal& refusal : outcome.refusals)
            lines.push_back({true, refusalLine(refusal, replaceBy)});
        const std::vector<ReportLine> failed = failureLines(outcome.problems, "import", databasePath);
        lines.insert(lines.end(), failed.begin(), failed.end());
        return lines;
    }
    // So that a mistyped name is seen at once.
    if (outcome.createdDatabase) lines.push_back({false, "created " + databasePath});
    for (std::size_t i = 0; i < seasons.size() && i < outcome.rowsPerSeason.size(); ++i)
        lines.push_back({false, databasePath + ": season " + seasons[i].label + ": " +
                                    std::to_string(outcome.rowsPerSeason[i]) + " rows"});
    for (const ImportOutcome::Replaced& season : outcome.replaced)
        lines.push_back({false, databasePath + ": replaced season " + season.label + " (" +
                                    linesOf(season.battingLines) + "; it held " +
                                    withThousands(season.heldBattingLines) + ")"});
    for (ReportLine& line : warningLines(outcome.warnings, outcome.recordsSkipped))
        lines.push_back(std::move(line));
    return lines;
}

} // namespace boxloom::database
