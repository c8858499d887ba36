#include "cli_options.h"

#include "option_grammar.h"
#include "season_import.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

namespace boxloom::cli {

namespace {

constexpr std::array<std::pair<std::string_view, TeamNotation>, 5> kTeamNotations = {{
    {"city", TeamNotation::City},
    {"nickname", TeamNotation::Nickname},
    {"abbreviation", TeamNotation::Abbreviation},
    {"city-nickname", TeamNotation::CityAndNickname},
    {"none", TeamNotation::None},
}};

constexpr std::array<std::pair<std::string_view, PitcherHittingMode>, 3> kPitcherHittingModes = {{
    {"include", PitcherHittingMode::Include},
    {"group", PitcherHittingMode::GroupByTeam},
    {"ignore", PitcherHittingMode::Ignore},
}};

constexpr std::array<std::pair<std::string_view, TextEncoding>, 3> kEncodings = {{
    {"windows-1252", TextEncoding::Windows1252},
    {"utf-8", TextEncoding::Utf8},
    {"utf-8-sig", TextEncoding::Utf8WithBom},
}};

template <class Value, std::size_t N>
std::optional<Value> lookUp(const std::array<std::pair<std::string_view, Value>, N>& table,
                            std::string_view key) {
    for (const auto& [name, value] : table)
        if (name == key) return value;
    return std::nullopt;
}

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return text;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

std::string chooseFrom(std::string_view name, const auto& table, const std::string& text, auto& target) {
    if (auto chosen = lookUp(table, lowerCase(text))) {
        target = *chosen;
        return {};
    }
    std::string allowed;
    for (const auto& entry : table)
        allowed += (allowed.empty() ? "" : "|") + std::string(entry.first);
    return std::string(name) + " must be " + allowed + ", not '" + text + "'";
}

std::string setSuffix(CliCommand& command, const std::string& text) {
    const std::string upper = upperCase(text);
    if (upper != "TXT" && upper != "CSV") return "--suffix must be TXT or CSV, not '" + text + "'";
    command.options.outputSuffix = upper;
    return {};
}

std::string setThreads(CliCommand& command, const std::string& text) {
    unsigned count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count == 0)
        return "--threads must be a whole number of at least 1, not '" + text + "'";
    command.options.threads = count;
    return {};
}

using ExportOption = Option<CliCommand>;

constexpr ExportOption kOptions[] = {
    {"--output", "-o", "DIR", "folder for the export files (default: the current folder)",
     [](CliCommand& c, const std::string& folder) {
         c.options.outputFolder = folder;
         return std::string();
     },
     true},
    {"--suffix", "", "TXT|CSV", "file name suffix (default CSV)", setSuffix, true},
    {"--teams", "", "city|nickname|abbreviation|city-nickname|none", "(default city-nickname)",
     [](CliCommand& c, const std::string& text) {
         return chooseFrom("--teams", kTeamNotations, text, c.options.teamNotation);
     }},
    {"--pitcher-hitting", "", "include|group|ignore", "(default include)",
     [](CliCommand& c, const std::string& text) {
         return chooseFrom("--pitcher-hitting", kPitcherHittingModes, text, c.options.pitcherHitting);
     }},
    {"--fielding", "", "", "also write Fielding_Stats",
     [](CliCommand& c, const std::string&) {
         c.options.includeFielding = true;
         return std::string();
     },
     true},
    {"--pitching-splits", "", "", "also write Pitching_Splits",
     [](CliCommand& c, const std::string&) {
         c.options.includePitchingSplits = true;
         return std::string();
     },
     true},
    {"--hitting-splits", "", "", "also write Batting_Splits",
     [](CliCommand& c, const std::string&) {
         c.options.includeHittingSplits = true;
         return std::string();
     },
     true},
    {"--all", "", "", "all three optional files",
     [](CliCommand& c, const std::string&) {
         c.options.includeFielding = c.options.includePitchingSplits = c.options.includeHittingSplits = true;
         return std::string();
     },
     true},
    {"--encoding", "", "windows-1252|utf-8|utf-8-sig",
     "how names are written (default windows-1252: as stored;\n"
     "utf-8-sig adds the byte-order mark spreadsheets look for)",
     [](CliCommand& c, const std::string& text) {
         return chooseFrom("--encoding", kEncodings, text, c.options.encoding);
     },
     true},
    {"--ids", "", "", "add PlayerID and TeamID columns to every file",
     [](CliCommand& c, const std::string&) {
         c.options.includeIds = true;
         return std::string();
     },
     true},
    {"--quiet", "-q", "", "print nothing on standard output",
     [](CliCommand& c, const std::string&) {
         c.quiet = true;
         return std::string();
     }},
    {"--threads", "", "N", "threads that format records (default: one per processor, at most 8)", setThreads},
    {"--database", "", "FILE", "write the seasons into this SQLite database instead of files",
     [](CliCommand& c, const std::string& file) {
         c.database = file;
         return std::string();
     }},
    {"--season", "", "LABEL", "the season's label in the database (default: the folder's name)",
     [](CliCommand& c, const std::string& label) {
         c.seasonLabel = label;
         return std::string();
     }},
    {"--replace", "", "",
     "with --database: import a season that would be refused (an empty or cut-short\n"
     "statistics file, or one replacing its label's season of another year or more lines)",
     [](CliCommand& c, const std::string&) {
         c.replace = true;
         return std::string();
     }},
    {"--remove-season", "", "LABEL",
     "with --database: remove this season, and the seasons named after it,\n"
     "all in one step or none",
     [](CliCommand& c, const std::string& label) {
         c.removeLabels.push_back(label);
         return std::string();
     }},
    {"--list-seasons", "", "",
     "with --database: list its seasons (label, year, teams, players,\nrows, imported)",
     [](CliCommand& c, const std::string&) {
         c.listSeasons = true;
         return std::string();
     }},
    {"--help", "-h", "", "show this help",
     [](CliCommand& c, const std::string&) {
         c.action = CliAction::Help;
         return std::string();
     },
     false, true},
    {"--version", "", "", "show the version",
     [](CliCommand& c, const std::string&) {
         c.action = CliAction::Version;
         return std::string();
     },
     false, true},
};

// What the options say together about the folders and the database.
std::string checkOperands(const CliCommand& command, const std::vector<const ExportOption*>& given) {
    const auto& folders = command.seasonFolders;
    if (folders.empty()) return "missing SEASON_FOLDER";
    // An empty path would be read as the file system's root.
    for (const std::string& folder : folders)
        if (folder.empty()) return "an empty SEASON_FOLDER ('')";
    if (command.database.empty()) {
        if (folders.size() > 1) return "more than one SEASON_FOLDER: '" + folders[1] + "'";
        if (!command.seasonLabel.empty()) return "--season goes with --database";
        if (command.replace) return "--replace goes with --database";
        return {};
    }
    for (const ExportOption* option : given)
        if (option->filesOnly)
            return "option " + std::string(option->name) +
                   " does nothing with --database, which always holds every table";
    if (folders.size() > 1 && !command.seasonLabel.empty())
        return "--season names one season; " + std::to_string(folders.size()) + " folders were given";
    // Two folders of one name would import as one season, the second replacing the first.
    for (std::size_t i = 0; command.seasonLabel.empty() && i < folders.size(); ++i)
        for (std::size_t j = i + 1; j < folders.size(); ++j)
            if (database::defaultSeasonLabel(folders[i]) == database::defaultSeasonLabel(folders[j]))
                return "'" + folders[i] + "' and '" + folders[j] + "' would both be season '" +
                       database::defaultSeasonLabel(folders[i]) + "'; import them in two calls with --season";
    return {};
}

// Listing or removing seasons reads no season folder: the operands after
// --remove-season are more labels.
std::string checkSeasonManagement(CliCommand& command, const std::vector<std::string>& operands) {
    const char* option = command.listSeasons ? "--list-seasons" : "--remove-season";
    if (command.listSeasons && !command.removeLabels.empty())
        return "--list-seasons and --remove-season are two calls";
    if (command.database.empty()) return std::string(option) + " goes with --database";
    if (!command.seasonLabel.empty() || command.replace)
        return std::string(command.replace ? "--replace" : "--season") + " goes with an import, not " +
               option;
    if (command.listSeasons) {
        if (!operands.empty()) return "--list-seasons takes no SEASON_FOLDER: '" + operands[0] + "'";
        command.action = CliAction::ListSeasons;
        return {};
    }
    command.removeLabels.insert(command.removeLabels.end(), operands.begin(), operands.end());
    command.action = CliAction::RemoveSeasons;
    return {};
}

} // namespace

CliCommand parseCommandLine(const std::vector<std::string>& arguments) {
    CliCommand command;
    const auto parsed = parseArguments<CliCommand>(arguments, kOptions, command);
    std::string error = parsed.error;
    if (error.empty() && command.action == CliAction::Export &&
        (command.listSeasons || !command.removeLabels.empty())) {
        error = checkSeasonManagement(command, parsed.operands);
    } else if (error.empty() && command.action == CliAction::Export) {
        command.seasonFolders = parsed.operands;
        if (!parsed.operands.empty()) command.options.seasonFolder = parsed.operands.front();
        error = checkOperands(command, parsed.given);
    }
    if (!error.empty()) {
        command.action = CliAction::UsageError;
        command.error = std::move(error);
    }
    return command;
}

std::string usageText() {
    return helpText<CliCommand>(
        "Usage: boxloom-export [OPTIONS] SEASON_FOLDER\n"
        "       boxloom-export --database FILE [--season LABEL] [OPTIONS] SEASON_FOLDER...\n"
        "       boxloom-export --database FILE --list-seasons | --remove-season LABEL...\n"
        "Exports a ZEL season's statistics as comma-separated files.\n",
        kOptions, "Exit status: 0 success, 1 the export failed, 2 usage error.\n");
}

} // namespace boxloom::cli
