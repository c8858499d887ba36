#include "page_builder.h"

#include "urls.h"

namespace boxloom::site::pages {

void SiteBuilder::addChampion(std::size_t season, const std::string& from, LatestSeason& shown) const {
    for (const Franchise& franchise : franchises_)
        for (const FranchiseSeason& entry : franchise.seasons)
            if (entry.season == season && entry.champion) {
                shown.champion = NamedLink{entry.standing.team->name(),
                                           urls::relative(from, urls::franchise(franchise.teamId))};
                shown.finalRound = entry.roundReached;
            }
}

FrontPage SiteBuilder::frontPage() const {
    const std::string path = urls::index();
    FrontPage page;
    for (const SeasonPages& season : seasonPages_) {
        SeasonLinks links{
            season.data->label, urls::relative(path, urls::seasonLeaders(season.folder, kRegular)), {}};
        for (std::string_view table : kSeasonTableNames)
            links.tables.push_back(urls::relative(path, urls::seasonTable(season.folder, table, kRegular)));
        page.seasons.push_back(std::move(links));
    }
    for (const Franchise& franchise : franchises_)
        page.franchises.push_back({franchise.name, urls::relative(path, urls::franchise(franchise.teamId))});
    if (!downloads_.database.empty()) page.database = urls::relative(path, urls::databaseCopy());
    if (!seasonPages_.empty()) {
        const SeasonPages& latest = seasonPages_.back();
        LatestSeason& shown = page.latest.emplace();
        shown.label = latest.data->label;
        shown.leaders = page.seasons.back().leaders;
        shown.standings = standingsTable(latest, path);
        addChampion(seasonPages_.size() - 1, path, shown);
        for (StatKind kind : {StatKind::Batting, StatKind::Pitching})
            addCategoryBoxes(kind, seasonTotals(linesOfKind(*latest.data, kind), kRegular), {latest.games},
                             kFrontPageLeaderCount, path, shown.boxes);
    }
    return page;
}

std::string SiteBuilder::indexPage() { return write(urls::index(), settings_.title, "index", frontPage()); }

} // namespace boxloom::site::pages
