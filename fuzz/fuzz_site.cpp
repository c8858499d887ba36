// Any bytes as a league database: read through the league store and made into
// every page of the site, in memory. The store may refuse a database; what it
// accepts must make a site with no crash and no sanitizer report, and every
// page path must stay inside the site's folder whatever the labels say.

#include "league_adjusted.h"
#include "league_store.h"
#include "site_pages.h"
#include "site_templates.h"
#include "site_writer.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace boxloom;

namespace {

class CheckedPages final : public site::PageSink {
public:
    void begin(std::size_t) override {}
    void put(std::size_t, const std::string& path, const std::string&) override {
        if (!site::isSitePath(path)) std::abort();
    }
};

// A few seasons are enough to reach careers and every page kind.
constexpr std::size_t kMostSeasons = 3;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    database::LeagueStore store;
    if (!store.openBytes({reinterpret_cast<const char*>(data), size}).empty()) return 0;
    std::vector<SeasonData> seasons;
    site::SiteDownloads downloads;
    for (const std::string& label : store.seasons()) {
        SeasonData season;
        season.label = label;
        for (database::SeasonPart part : database::kSeasonParts)
            if (!store.load(label, part, season).empty()) return 0;
        database::completeSeason(season);
        site::addLeagueAdjusted(season);
        // The export files made again from whatever the rows hold.
        auto& files = downloads.seasonFiles.emplace_back();
        for (ExportFileKind kind : kExportFileKinds)
            if (!store.exportFile(label, kind, files.emplace_back().bytes).empty()) return 0;
        seasons.push_back(std::move(season));
        if (seasons.size() == kMostSeasons) break;
    }
    static const site::SiteTemplates templates;
    CheckedPages pages;
    // The built-in templates are checked by the tests: they never fail here.
    for (std::size_t s = 0; s < downloads.seasonFiles.size(); ++s)
        for (std::size_t k = 0; k < kExportFileKindCount; ++k)
            downloads.seasonFiles[s][k].name = exportFileName(kExportFileKinds[k], "csv");
    if (!site::buildSite(seasons, {}, templates, pages, downloads).empty()) std::abort();
    return 0;
}
