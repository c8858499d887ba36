#include "site_cli.h"

#include "site_run.h"

#include <charconv>
#include <filesystem>

namespace boxloom::cli {

namespace {

constexpr const char* kUsage =
    "Usage: boxloom-site DATABASE -o DIR [--season LABEL]... [--games N] [--title TEXT]\n"
    "Writes a league's statistics web site from a Boxloom database.\n"
    "\n"
    "  -o, --output DIR      folder of the site (created when missing); only pages whose\n"
    "                        bytes change are replaced, pages of seasons gone are removed\n"
    "  --season LABEL        a season to include (repeatable; default: every season)\n"
    "  --games N             games per team, for the qualifying minimums (default: the\n"
    "                        most games started by a team's pitchers in a season)\n"
    "  --title TEXT          the league's name on every page\n"
    "  --templates DIR       templates that replace the built-in ones, by file name\n"
    "  -q, --quiet           print nothing on standard output\n"
    "  -h, --help            show this help\n"
    "  --version             show the version\n"
    "\n"
    "Exit status: 0 success, 1 the site could not be made, 2 usage error.\n";

int usageError(std::ostream& err, const std::string& message) {
    err << "boxloom-site: " << message << "\nTry 'boxloom-site --help' for more information.\n";
    return 2;
}

bool needsValue(const std::string& name) {
    return name == "-o" || name == "--output" || name == "--season" || name == "--games" ||
           name == "--title" || name == "--templates";
}

} // namespace

int runSiteCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    site::SiteOptions options;
    options.version = BOXLOOM_VERSION;
    bool quiet = false;
    bool outputGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::string value;
        if (name.starts_with("-o") && name.size() > 2 && !name.starts_with("--")) {
            value = name.substr(2);
            name = "-o";
        } else if (const std::size_t equals = name.find('=');
                   name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        } else if (needsValue(name)) {
            if (i + 1 >= arguments.size()) return usageError(err, "option " + name + " needs a value");
            value = arguments[++i];
        }
        if (name == "-h" || name == "--help") {
            out << kUsage;
            return 0;
        }
        if (name == "--version") {
            out << "boxloom-site " << BOXLOOM_VERSION << '\n';
            return 0;
        }
        if (name == "-o" || name == "--output") {
            options.outputFolder = value;
            outputGiven = true;
        } else if (name == "--season") {
            options.seasons.push_back(value);
        } else if (name == "--games") {
            Counter games = 0;
            const auto parsed = std::from_chars(value.data(), value.data() + value.size(), games);
            if (parsed.ec != std::errc() || parsed.ptr != value.data() + value.size() || games < 1 ||
                games > 100000)
                return usageError(err, "--games needs a whole number of games from 1 to 100000, not '" +
                                           value + "'");
            options.games = games;
        } else if (name == "--title") {
            options.title = value;
        } else if (name == "--templates") {
            options.templatesFolder = value;
        } else if (name == "-q" || name == "--quiet") {
            quiet = true;
        } else if (name.starts_with("-") && name != "-") {
            return usageError(err, "unknown option " + name);
        } else if (options.database.empty()) {
            options.database = name;
        } else {
            return usageError(err, "one database only; '" + name + "' is one too many");
        }
    }
    if (options.database.empty()) return usageError(err, "no database given");
    if (!outputGiven || options.outputFolder.empty())
        return usageError(err, "no output folder given (-o DIR)");

    std::error_code error;
    const auto status = std::filesystem::status(options.outputFolder, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_directory(status)) {
        err << "boxloom-site: " << options.outputFolder << ": is not a folder\n";
        return 1;
    }
    if (!std::filesystem::exists(status) &&
        !std::filesystem::create_directories(options.outputFolder, error) && error) {
        err << "boxloom-site: " << options.outputFolder << ": cannot create the folder: " << error.message()
            << '\n';
        return 1;
    }
    const site::SiteOutcome outcome = site::makeSite(options);
    for (const std::string& problem : outcome.problems)
        err << "boxloom-site: " << problem << '\n';
    if (!outcome.succeeded()) return 1;
    if (!quiet) {
        out << outcome.files.written << (outcome.files.written == 1 ? " page" : " pages") << " written, "
            << outcome.files.unchanged << " unchanged";
        if (outcome.files.removed > 0) out << ", " << outcome.files.removed << " removed";
        out << '\n';
        if (!out) {
            err << "boxloom-site: write error on standard output\n";
            return 1;
        }
    }
    return 0;
}

} // namespace boxloom::cli
