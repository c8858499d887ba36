#pragma once

#include "report_lines.h"
#include "season_import.h"

#include <string>
#include <vector>

namespace boxloom::database {

// What an import says: each season's rows, or its problems and that the
// database was left as it was; then its warnings.
// A refused season's line says how to import it anyway in the words of its
// program: an option on the command line, a question in the window.
enum class ReplaceBy { Option, Question };
std::vector<ReportLine> importReport(const std::string& databasePath,
                                     const std::vector<SeasonSource>& seasons, const ImportOutcome& outcome,
                                     ReplaceBy replaceBy = ReplaceBy::Option);

// The window's question for refused seasons, naming each and both counts; ""
// when nothing was refused or a problem stops the import whatever the answer.
std::string replaceQuestion(const std::string& databasePath, const ImportOutcome& outcome);

// Each removed season and what it held, or the problems and that the database
// was left as it was.
std::vector<ReportLine> removalReport(const std::string& databasePath, const RemovalOutcome& outcome);

} // namespace boxloom::database
