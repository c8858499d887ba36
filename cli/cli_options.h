#pragma once

#include "export_options.h"

#include <string>
#include <vector>

namespace boxloom::cli {

enum class CliAction { Export, ListSeasons, RemoveSeasons, Help, Version, UsageError };

struct CliCommand {
    CliAction action = CliAction::Export;
    ExportOptions options;
    // With a database, every season folder given, and the label of the one season.
    std::string database;
    std::vector<std::string> seasonFolders;
    std::string seasonLabel;
    bool replace = false; // import even where the database's guards refuse a season
    bool listSeasons = false;
    std::vector<std::string> removeLabels;
    bool quiet = false; // nothing on standard output
    std::string error;  // for UsageError
};

// The desktop window's initial state: CSV, city and nickname, include pitchers' hitting.
CliCommand parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

} // namespace boxloom::cli
