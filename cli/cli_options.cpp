#include "cli_options.h"

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

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    CliCommand parse() {
        bool optionsEnded = false;
        for (next_ = 0; next_ < arguments_.size() && command_.action == CliAction::Export;) {
            const std::string& argument = arguments_[next_++];
            if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
                addFolder(argument);
            } else if (argument == "--") {
                optionsEnded = true;
            } else {
                option(argument);
            }
        }
        if (command_.action == CliAction::Export) checkFolders();
        return command_;
    }

private:
    void fail(std::string message) {
        if (command_.action == CliAction::UsageError) return;
        command_.action = CliAction::UsageError;
        command_.error = std::move(message);
    }

    void addFolder(const std::string& folder) {
        if (command_.seasonFolders.empty()) command_.options.seasonFolder = folder;
        command_.seasonFolders.push_back(folder);
    }

    void checkFolders() {
        const auto& folders = command_.seasonFolders;
        if (folders.empty()) return fail("missing SEASON_FOLDER");
        if (command_.database.empty()) {
            if (folders.size() > 1) return fail("more than one SEASON_FOLDER: '" + folders[1] + "'");
            if (!command_.seasonLabel.empty()) return fail("--season goes with --database");
        } else if (folders.size() > 1 && !command_.seasonLabel.empty()) {
            fail("--season names one season; " + std::to_string(folders.size()) + " folders were given");
        }
    }

    // The value of "--name VALUE" or "--name=VALUE".
    std::optional<std::string> value(const std::string& name, const std::optional<std::string>& inlineValue) {
        if (inlineValue) return inlineValue;
        if (next_ < arguments_.size()) return arguments_[next_++];
        fail("option " + name + " needs a value");
        return std::nullopt;
    }

    void option(const std::string& argument) {
        std::string name = argument;
        std::optional<std::string> inlineValue;
        if (const auto equals = argument.find('=');
            argument.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = argument.substr(0, equals);
            inlineValue = argument.substr(equals + 1);
        } else if (argument.rfind("-o", 0) == 0 && argument.size() > 2) {
            name = "-o"; // -oDIR
            inlineValue = argument.substr(2);
        }
        if (flag(name)) {
            if (inlineValue) fail("option " + name + " takes no value");
        } else if (!valued(name, inlineValue)) {
            fail("unknown option '" + argument + "'");
        }
    }

    // Options without a value; false when `name` is none of them.
    bool flag(const std::string& name) {
        ExportOptions& options = command_.options;
        if (name == "-h" || name == "--help") {
            command_.action = CliAction::Help;
        } else if (name == "--version") {
            command_.action = CliAction::Version;
        } else if (name == "--fielding") {
            options.includeFielding = true;
        } else if (name == "--pitching-splits") {
            options.includePitchingSplits = true;
        } else if (name == "--hitting-splits") {
            options.includeHittingSplits = true;
        } else if (name == "--all") {
            options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
        } else if (name == "--ids") {
            options.includeIds = true;
        } else if (name == "-q" || name == "--quiet") {
            command_.quiet = true;
        } else {
            return false;
        }
        return true;
    }

    // Options with a value; false when `name` is none of them.
    bool valued(const std::string& name, const std::optional<std::string>& inlineValue) {
        ExportOptions& options = command_.options;
        if (name == "-o" || name == "--output") {
            if (auto folder = value(name, inlineValue)) options.outputFolder = *folder;
        } else if (name == "--suffix") {
            suffix(value(name, inlineValue));
        } else if (name == "--teams") {
            choose(name, value(name, inlineValue), kTeamNotations, options.teamNotation);
        } else if (name == "--pitcher-hitting") {
            choose(name, value(name, inlineValue), kPitcherHittingModes, options.pitcherHitting);
        } else if (name == "--database") {
            if (auto file = value(name, inlineValue)) command_.database = *file;
        } else if (name == "--season") {
            if (auto label = value(name, inlineValue)) command_.seasonLabel = *label;
        } else if (name == "--threads") {
            threads(value(name, inlineValue));
        } else if (name == "--encoding") {
            choose(name, value(name, inlineValue), kEncodings, options.encoding);
        } else {
            return false;
        }
        return true;
    }

    void suffix(const std::optional<std::string>& text) {
        if (!text) return;
        const std::string upper = upperCase(*text);
        if (upper != "TXT" && upper != "CSV") return fail("--suffix must be TXT or CSV, not '" + *text + "'");
        command_.options.outputSuffix = upper;
    }

    void threads(const std::optional<std::string>& text) {
        if (!text) return;
        unsigned count = 0;
        const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), count);
        if (error != std::errc() || end != text->data() + text->size() || count == 0)
            return fail("--threads must be a whole number of at least 1, not '" + *text + "'");
        command_.options.threads = count;
    }

    template <class Value, std::size_t N>
    void choose(const std::string& name, const std::optional<std::string>& text,
                const std::array<std::pair<std::string_view, Value>, N>& table, Value& target) {
        if (!text) return;
        if (auto chosen = lookUp(table, lowerCase(*text))) {
            target = *chosen;
            return;
        }
        std::string allowed;
        for (const auto& entry : table)
            allowed += (allowed.empty() ? "" : "|") + std::string(entry.first);
        fail(name + " must be " + allowed + ", not '" + *text + "'");
    }

    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
    CliCommand command_;
};

} // namespace

CliCommand parseCommandLine(const std::vector<std::string>& arguments) { return Parser(arguments).parse(); }

const char* usageText() {
    return "Usage: boxloom-export [OPTIONS] SEASON_FOLDER\n"
           "       boxloom-export --database FILE [--season LABEL] [OPTIONS] SEASON_FOLDER...\n"
           "Exports a ZEL season's statistics as comma-separated files.\n"
           "\n"
           "  -o, --output DIR      folder for the export files (default: the current folder)\n"
           "  --suffix TXT|CSV      file name suffix (default CSV)\n"
           "  --teams city|nickname|abbreviation|city-nickname|none   (default city-nickname)\n"
           "  --pitcher-hitting include|group|ignore                  (default include)\n"
           "  --fielding            also write Fielding_Stats\n"
           "  --pitching-splits     also write Pitching_Splits\n"
           "  --hitting-splits      also write Batting_Splits\n"
           "  --all                 all three optional files\n"
           "  --encoding windows-1252|utf-8|utf-8-sig\n"
           "                        how names are written (default windows-1252: as stored;\n"
           "                        utf-8-sig adds the byte-order mark spreadsheets look for)\n"
           "  --ids                 add PlayerID and TeamID columns to every file\n"
           "  -q, --quiet           print nothing on standard output\n"
           "  --threads N           threads that format records (default: one per processor, at most 8)\n"
           "  --database FILE       write the seasons into this SQLite database instead of files\n"
           "  --season LABEL        the season's label in the database (default: the folder's name)\n"
           "  -h, --help            show this help\n"
           "  --version             show the version\n"
           "\n"
           "Exit status: 0 success, 1 the export failed, 2 usage error.\n";
}

} // namespace boxloom::cli
