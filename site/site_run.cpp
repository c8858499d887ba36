#include "site_run.h"

#include "file_layer.h"
#include "league_adjusted.h"
#include "league_store.h"
#include "page_keys.h"
#include "parallel.h"
#include "platform_files.h"
#include "players.h"
#include "site_templates.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <memory>

namespace boxloom::site {

namespace {

// Room for what goes into a season's folder after its name: a "-2" that sets
// it apart from another season's, and the longest page path inside it.
constexpr std::size_t kFolderSuffixRoom = 4;
constexpr std::size_t kPagePathRoom = 64;

// Every season's folder checked against what the file system takes, before a
// page is written: a run that fails half-way leaves a half-changed site.
std::string checkSeasonFolders(const std::string& outputFolder, const std::vector<std::string>& labels) {
    for (const std::string& label : labels) {
        const std::string folder = folderNameFor(label);
        const std::string shown = label.size() > 40 ? label.substr(0, 40) + "..." : label;
        if (folder.size() + kFolderSuffixRoom > platform::kMaxNameLength)
            return "season \"" + shown + "\": its folder name would be " + std::to_string(folder.size()) +
                   " characters; a folder's name takes at most " +
                   std::to_string(platform::kMaxNameLength - kFolderSuffixRoom);
        const std::size_t longest =
            outputFolder.size() + 1 + folder.size() + kFolderSuffixRoom + kPagePathRoom;
        if (longest > platform::kMaxPathLength)
            return "season \"" + shown + "\": its pages' paths would be up to " + std::to_string(longest) +
                   " characters; this system takes at most " + std::to_string(platform::kMaxPathLength);
    }
    return {};
}

// Each season's export files as its import stored them, and the database's bytes.
std::string readDownloads(database::LeagueStore& store, const std::vector<std::string>& labels,
                          SiteDownloads& downloads) {
    for (const std::string& label : labels) {
        std::vector<SiteDownloads::File>& files = downloads.seasonFiles.emplace_back();
        for (ExportFileKind kind : kExportFileKinds) {
            SiteDownloads::File& file = files.emplace_back();
            file.name = exportFileName(kind, "csv");
            if (std::string reason = store.exportFile(label, kind, file.bytes); !reason.empty())
                return "season \"" + label + "\": " + reason;
        }
    }
    downloads.database = store.bytes();
    if (downloads.database.empty()) return "the database could not be copied";
    return {};
}

// What the database's file says of its last change: SQLite counts every
// committed change in its header. Nothing when it cannot tell: a journal of
// changes not yet in the file, or write-ahead logging, which leaves the count.
std::optional<std::string> databaseChangeStamp(const std::string& path) {
    for (const char* beside : {"-journal", "-wal"})
        if (platform::pathExists(path + beside)) return std::nullopt;
    ReadOnlyFile file;
    if (!file.open(path).empty()) return std::nullopt;
    unsigned char header[100];
    std::string reason;
    if (file.read(header, sizeof header, reason) != static_cast<std::ptrdiff_t>(sizeof header))
        return std::nullopt;
    const std::uint64_t size = file.size(reason);
    constexpr std::string_view kMagic{"SQLite format 3\0", 16};
    if (!reason.empty() || std::string_view(reinterpret_cast<const char*>(header), 16) != kMagic ||
        header[18] == 2)
        return std::nullopt;
    Fingerprint print;
    print.add(std::string_view(reinterpret_cast<const char*>(header) + 24, 4)); // change counter
    print.add(std::string_view(reinterpret_cast<const char*>(header) + 40, 4)); // schema cookie
    print.add(std::string_view(reinterpret_cast<const char*>(header) + 92, 4)); // counter it is valid for
    print.add(static_cast<std::int64_t>(size));
    return print.hex();
}

// The whole site's key: the database's change stamp with everything else the
// pages are made from that is known before a season is read; "" when the
// database cannot tell.
std::string siteKey(const SiteOptions& options, const std::vector<std::string>& labels,
                    const SiteTemplates& templates) {
    const std::optional<std::string> stamp = databaseChangeStamp(options.database);
    if (!stamp) return {};
    Fingerprint print;
    print.add(*stamp).add(options.version).add(options.title).add(options.games.value_or(0));
    print.add(options.downloads ? 1 : 0).add(static_cast<std::int64_t>(templates.fingerprint()));
    for (const std::string& label : labels)
        print.add(label);
    return "site " + print.hex();
}

} // namespace

std::string parseGames(std::string_view text, Counter& games) {
    Counter parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < 1 || parsed > 100000)
        return "a whole number of games from 1 to 100000, not '" + std::string(text) + "'";
    games = parsed;
    return {};
}

namespace {

// The seasons the options ask for, in the database's order whatever the
// order of the options; a problem for each the database does not have.
std::vector<std::string> chosenSeasons(const SiteOptions& options, database::LeagueStore& store,
                                       std::vector<std::string>& problems) {
    const std::vector<std::string> present = store.seasons();
    const std::vector<std::string>& chosen = options.seasons.empty() ? present : options.seasons;
    for (const std::string& label : chosen)
        if (std::find(present.begin(), present.end(), label) == present.end())
            problems.push_back(options.database + ": no season \"" + label + "\"");
    std::vector<std::string> labels;
    for (const std::string& label : present)
        if (std::find(chosen.begin(), chosen.end(), label) != chosen.end()) labels.push_back(label);
    return labels;
}

// Seasons are read side by side, and the parts of each too, each thread
// through its own store; the first reason one failed, or "".
std::string readSeasons(const std::string& databasePath, const std::vector<std::string>& labels,
                        std::vector<SeasonData>& seasons) {
    seasons.assign(labels.size(), SeasonData{});
    using database::kSeasonParts;
    constexpr std::size_t kParts = std::size(kSeasonParts);
    std::vector<std::string> reasons(labels.size() * kParts);
    forEachInParallel(
        reasons.size(),
        [&databasePath] {
            struct Reader {
                database::LeagueStore store;
                std::string openFailed;
            };
            auto own = std::make_unique<Reader>();
            own->openFailed = own->store.open(databasePath);
            return own;
        },
        [&](auto& own, std::size_t index) {
            const std::size_t season = index / kParts;
            reasons[index] =
                own->openFailed.empty()
                    ? own->store.load(labels[season], kSeasonParts[index % kParts], seasons[season])
                    : own->openFailed;
        });
    for (const std::string& reason : reasons)
        if (!reason.empty()) return reason;
    for (std::size_t i = 0; i < seasons.size(); ++i) {
        seasons[i].label = labels[i];
        database::completeSeason(seasons[i]);
        addLeagueAdjusted(seasons[i]);
    }
    return {};
}

} // namespace

SiteOutcome makeSite(const SiteOptions& options) {
    SiteOutcome outcome;
    SiteTemplates templates;
    if (!options.templatesFolder.empty()) {
        if (std::string reason = templates.useFolder(options.templatesFolder); !reason.empty()) {
            outcome.problems.push_back("template " + reason);
            return outcome;
        }
    }
    database::LeagueStore store;
    if (std::string reason = store.open(options.database); !reason.empty()) {
        outcome.problems.push_back(options.database + ": " + reason);
        return outcome;
    }
    const std::vector<std::string> labels = chosenSeasons(options, store, outcome.problems);
    if (!outcome.succeeded()) return outcome;
    if (std::string reason = checkSeasonFolders(options.outputFolder, labels); !reason.empty()) {
        outcome.problems.push_back(options.database + ": " + reason);
        return outcome;
    }
    SiteWriter writer(options.outputFolder, options.watch);
    const std::string key = siteKey(options, labels, templates);
    if (writer.keepsEverything(key, outcome.files)) {
        if (options.watch.progress) options.watch.progress(1, 1);
        return outcome;
    }
    std::vector<SeasonData> seasons;
    SiteDownloads downloads;
    std::string reason = readSeasons(options.database, labels, seasons);
    if (reason.empty()) outcome.warnings = identityConflicts(collectPlayers(seasons), seasons);
    if (reason.empty() && options.downloads) reason = readDownloads(store, labels, downloads);
    if (!reason.empty()) {
        outcome.problems.push_back(options.database + ": " + reason);
        return outcome;
    }
    SiteSettings settings{options.title, options.games, options.version};
    // A run with warnings tells them again next time: it is read again.
    if (outcome.warnings.empty()) writer.setSiteKey(key);
    if (std::string made = buildSite(seasons, settings, templates, writer, downloads); !made.empty()) {
        outcome.problems.push_back("template " + made);
        return outcome;
    }
    outcome.files = writer.finish();
    outcome.problems = outcome.files.problems;
    return outcome;
}

} // namespace boxloom::site
