#include "site_cli.h"

#include "option_grammar.h"
#include "output_folder.h"
#include "report_printing.h"
#include "site_report.h"
#include "site_run.h"

#include <sstream>

namespace boxloom::cli {

namespace {

enum class SiteAction { Make, Help, Version };

struct SiteCommand {
    SiteAction action = SiteAction::Make;
    site::SiteOptions options;
    bool quiet = false;
};

std::string setGames(SiteCommand& command, const std::string& value) {
    Counter games = 0;
    if (std::string problem = site::parseGames(value, games); !problem.empty())
        return "--games needs " + problem;
    command.options.games = games;
    return {};
}

using SiteOption = Option<SiteCommand>;

constexpr SiteOption kOptions[] = {
    {"--output", "-o", "DIR",
     "folder of the site (created when missing); only pages whose\n"
     "bytes change are replaced, pages of seasons gone are removed",
     [](SiteCommand& c, const std::string& folder) {
         c.options.outputFolder = folder;
         return std::string();
     }},
    {"--season", "", "LABEL", "a season to include (repeatable; default: every season)",
     [](SiteCommand& c, const std::string& label) {
         c.options.seasons.push_back(label);
         return std::string();
     }},
    {"--games", "", "N",
     "games per team, for the qualifying minimums (default: the\n"
     "most games started by a team's pitchers in a season)",
     setGames},
    {"--title", "", "TEXT", "the league's name on every page",
     [](SiteCommand& c, const std::string& title) {
         c.options.title = title;
         return std::string();
     }},
    {"--templates", "", "DIR", "templates that replace the built-in ones, by file name",
     [](SiteCommand& c, const std::string& folder) {
         c.options.templatesFolder = folder;
         return std::string();
     }},
    {"--downloads", "", "",
     "also offer each season's export files (UTF-8, with ids) on its\n"
     "leaders page, and a copy of the database on the front page",
     [](SiteCommand& c, const std::string&) {
         c.options.downloads = true;
         return std::string();
     }},
    {"--quiet", "-q", "", "print nothing on standard output",
     [](SiteCommand& c, const std::string&) {
         c.quiet = true;
         return std::string();
     }},
    {"--help", "-h", "", "show this help",
     [](SiteCommand& c, const std::string&) {
         c.action = SiteAction::Help;
         return std::string();
     },
     false, true},
    {"--version", "", "", "show the version",
     [](SiteCommand& c, const std::string&) {
         c.action = SiteAction::Version;
         return std::string();
     },
     false, true},
};

std::string usage() {
    return helpText<SiteCommand>(
        "Usage: boxloom-site DATABASE -o DIR [--season LABEL]... [--games N] [--title TEXT]\n"
        "Writes a league's statistics web site from a Boxloom database.\n",
        kOptions, "Exit status: 0 success, 1 the site could not be made, 2 usage error.\n");
}

int usageError(std::ostream& err, const std::string& message) {
    err << "boxloom-site: " << message << "\nTry 'boxloom-site --help' for more information.\n";
    return kExitUsage;
}

// The command's own error, or what its operands lack.
std::string checkCommand(const Parsed<SiteCommand>& parsed, SiteCommand& command) {
    if (!parsed.error.empty()) return parsed.error;
    if (command.action != SiteAction::Make) return {};
    if (parsed.operands.empty()) return "no database given";
    if (parsed.operands.size() > 1) return "one database only; '" + parsed.operands[1] + "' is one too many";
    command.options.database = parsed.operands.front();
    if (command.options.outputFolder.empty()) return "no output folder given (-o DIR)";
    return {};
}

} // namespace

int runSiteCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    SiteCommand command;
    command.options.version = BOXLOOM_VERSION;
    const auto parsed = parseArguments<SiteCommand>(arguments, kOptions, command);
    if (std::string error = checkCommand(parsed, command); !error.empty()) return usageError(err, error);
    if (command.action == SiteAction::Help) {
        out << usage();
        return kExitSuccess;
    }
    if (command.action == SiteAction::Version) {
        out << "boxloom-site " << BOXLOOM_VERSION << '\n';
        return kExitSuccess;
    }
    std::ostringstream quiet;
    std::ostream& report = command.quiet ? quiet : out;
    const OutputFolder folder = prepareOutputFolder(command.options.outputFolder);
    printReport("boxloom-site", folder.lines, report, err);
    if (!folder.ready) return kExitFailed;
    const site::SiteOutcome outcome = site::makeSite(command.options);
    printReport("boxloom-site", site::siteReport(outcome), report, err);
    if (!outcome.succeeded()) {
        folder.removeIfUnused();
        return kExitFailed;
    }
    if (!out.flush()) {
        err << "boxloom-site: write error on standard output\n";
        return kExitFailed;
    }
    return kExitSuccess;
}

} // namespace boxloom::cli
