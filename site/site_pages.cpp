#include "site_pages.h"

#include "page_builder.h"
#include "page_keys.h"
#include "parallel.h"
#include "site_templates.h"
#include "urls.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>
#include <set>

namespace boxloom::site {

using namespace pages;

std::string folderNameFor(const std::string& label) {
    std::string name;
    for (char c : label) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          c == '-' || c == '_' || c == '.';
        name += kept ? c : '-';
    }
    if (name.empty() || name.front() == '.') name.insert(0, "s");
    return name;
}

namespace {

// What every page shares: the program, the templates, the options, the
// seasons' labels and folders and every player's page name.
std::uint64_t sharedInputs(const SiteModel& model, const SiteTemplates& templates) {
    Fingerprint print;
    print.add(model.settings.version).add(model.settings.title).add(model.settings.games.value_or(0));
    print.add(static_cast<std::int64_t>(templates.fingerprint())).add(model.downloads.empty() ? 0 : 1);
    for (const SeasonPages& season : model.seasonPages)
        print.add(season.data->label).add(season.folder);
    for (const auto& [key, player] : model.players.byKey)
        print.add(key.id).add(key.name).add(player.page);
    return print.value();
}

SiteModel modelOf(const std::vector<SeasonData>& seasons, const SiteSettings& settings,
                  const SiteTemplates& templates, const SiteDownloads& downloads) {
    SiteModel model{seasons, settings, collectPlayers(seasons), {}, franchisesOf(seasons), downloads, {}};
    // Names the site's own files take are no season folders.
    std::set<std::string> folders;
    for (std::string& name : urls::reservedNames())
        folders.insert(std::move(name));
    for (const SeasonData& season : seasons) {
        SeasonPages pages{&season, folderNameFor(season.label), gamesPerTeam(season, settings.games), {}};
        for (int n = 2; !folders.insert(pages.folder).second; ++n)
            pages.folder = folderNameFor(season.label) + "-" + std::to_string(n);
        noteLeaders(pages);
        model.seasonPages.push_back(std::move(pages));
        model.keys.seasons.push_back(seasonFingerprint(season));
    }
    model.keys.shared = sharedInputs(model, templates);
    return model;
}

struct PageTask {
    std::function<std::string(SiteBuilder&)> make;
    bool large = false; // started first, so that no thread is left with one at the end
};

// A task whose pages are made again only when what they read has changed.
template <class Make> std::function<std::string(SiteBuilder&)> keyed(std::string key, Make make) {
    return [key = std::move(key), make](SiteBuilder& builder) {
        return builder.reuse(key) ? std::string() : make(builder);
    };
}

std::vector<PageTask> pageTasks(const SiteModel& model, std::vector<const Player*>& players) {
    const PageKeys& keys = model.keys;
    std::vector<PageTask> tasks = {
        {keyed(keys.ofAll("index"), [](SiteBuilder& builder) { return builder.indexPage(); })}};
    for (std::size_t s = 0; s < model.seasonPages.size(); ++s) {
        const SeasonPages& season = model.seasonPages[s];
        const auto key = [&](std::string_view group) {
            return keys.of(std::string(group) + " " + season.folder, {s});
        };
        tasks.push_back(
            {keyed(key("leaders"), [&season](SiteBuilder& builder) { return builder.leaderPages(season); }),
             true});
        tasks.push_back(
            {keyed(key("tables"), [&season](SiteBuilder& builder) { return builder.statPages(season); }),
             true});
        tasks.push_back(
            {keyed(key("teams"), [&season](SiteBuilder& builder) { return builder.teamPages(season); }),
             true});
    }
    tasks.push_back(
        {keyed(keys.ofAll("franchises"), [](SiteBuilder& builder) { return builder.franchisePages(); }),
         true});
    if (!model.downloads.empty())
        tasks.push_back({[](SiteBuilder& builder) { return builder.downloadFiles(); }});
    for (const auto& [key, player] : model.players.byKey)
        players.push_back(&player);
    constexpr std::size_t kPlayersPerTask = 200;
    for (std::size_t first = 0; first < players.size(); first += kPlayersPerTask) {
        const std::span<const Player* const> some(players.data() + first,
                                                  std::min(kPlayersPerTask, players.size() - first));
        tasks.push_back({[some](SiteBuilder& builder) { return builder.playerPages(some); }});
    }
    tasks.push_back({keyed(keys.ofAll("league"), [](SiteBuilder& builder) {
        std::string reason = builder.playersIndex();
        if (reason.empty()) reason = builder.careerPage();
        if (reason.empty()) reason = builder.recordsPage();
        if (reason.empty()) reason = builder.glossaryPage();
        if (reason.empty()) reason = builder.styleSheet();
        if (reason.empty()) reason = builder.searchIndex();
        return reason;
    })});
    return tasks;
}

} // namespace

std::string buildSite(const std::vector<SeasonData>& seasons, const SiteSettings& settings,
                      const SiteTemplates& templates, PageSink& sink, const SiteDownloads& downloads) {
    const SiteModel model = modelOf(seasons, settings, templates, downloads);
    std::vector<const Player*> players;
    const std::vector<PageTask> tasks = pageTasks(model, players);
    sink.begin(tasks.size());
    std::vector<std::size_t> startOrder(tasks.size());
    std::iota(startOrder.begin(), startOrder.end(), 0);
    std::stable_partition(startOrder.begin(), startOrder.end(),
                          [&tasks](std::size_t task) { return tasks[task].large; });
    std::vector<std::string> reasons(tasks.size());
    forEachInParallel(
        tasks.size(),
        // Parsed templates are not shared between threads.
        [&templates] { return std::make_unique<SiteTemplates>(templates); },
        [&](std::unique_ptr<SiteTemplates>& own, std::size_t index) {
            const std::size_t task = startOrder[index];
            if (sink.stopped()) return;
            SiteBuilder builder(model, *own, sink, task);
            reasons[task] = tasks[task].make(builder);
            sink.taskDone(task);
        });
    for (const std::string& reason : reasons)
        if (!reason.empty()) return reason;
    return {};
}

} // namespace boxloom::site
