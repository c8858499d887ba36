#include "page_builder.h"

#include "urls.h"

namespace boxloom::site::pages {

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
        page.latest = &seasonPages_.back();
        page.latestLeaders = page.seasons.back().leaders;
        for (StatKind kind : {StatKind::Batting, StatKind::Pitching})
            addCategoryBoxes(kind, seasonTotals(linesOfKind(*page.latest->data, kind), kRegular),
                             page.latest->games, kFrontPageLeaderCount, path, page.boxes);
    }
    return page;
}

std::string SiteBuilder::indexPage() {
    const std::string path = urls::index();
    const FrontPage page = frontPage();
    PageData data;
    PageData seasons = list();
    for (const SeasonLinks& season : page.seasons) {
        PageData item;
        put(item, "label", season.label);
        put(item, "leaders", season.leaders);
        for (std::size_t i = 0; i < season.tables.size(); ++i)
            put(item, std::string(kSeasonTableNames[i]), season.tables[i]);
        append(seasons, std::move(item));
    }
    put(data, "seasons", std::move(seasons));
    PageData franchises = list();
    for (const NamedLink& franchise : page.franchises) {
        PageData item;
        put(item, "name", franchise.name);
        put(item, "link", franchise.link);
        append(franchises, std::move(item));
    }
    put(data, "franchises", std::move(franchises));
    if (!page.database.empty()) put(data, "database", page.database);
    if (page.latest != nullptr) {
        PageData section;
        put(section, "label", page.latest->data->label);
        put(section, "leaders", page.latestLeaders);
        put(section, "standings", tableData(standingsTable(*page.latest, path)));
        put(section, "boxes", boxesData(page.boxes));
        put(data, "latest", std::move(section));
    }
    return write(path, settings_.title, "index", std::move(data));
}

} // namespace boxloom::site::pages
