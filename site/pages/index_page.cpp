#include "page_builder.h"

#include "urls.h"

namespace boxloom::site::pages {

std::string SiteBuilder::indexPage() {
    const std::string path = urls::index();
    PageData data;
    PageData seasons = list();
    for (const SeasonPages& season : seasonPages_) {
        PageData item;
        put(item, "label", season.data->label);
        put(item, "leaders", urls::relative(path, urls::seasonLeaders(season.folder, kRegular)));
        for (const char* table : {"batting", "pitching", "fielding"})
            put(item, table, urls::relative(path, urls::seasonTable(season.folder, table, kRegular)));
        append(seasons, std::move(item));
    }
    put(data, "seasons", std::move(seasons));
    PageData franchises = list();
    for (const Franchise& franchise : franchises_) {
        PageData item;
        put(item, "name", franchise.name);
        put(item, "link", urls::relative(path, urls::franchise(franchise.teamId)));
        append(franchises, std::move(item));
    }
    put(data, "franchises", std::move(franchises));
    if (!downloads_.database.empty()) put(data, "database", urls::relative(path, urls::databaseCopy()));
    if (!seasonPages_.empty()) {
        const SeasonPages& latest = seasonPages_.back();
        PageData section;
        put(section, "label", latest.data->label);
        put(section, "leaders", urls::relative(path, urls::seasonLeaders(latest.folder, kRegular)));
        put(section, "standings", standingsTable(latest, path));
        LeaderBoxes boxes;
        for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
            addCategoryBoxes(kind, seasonTotals(linesOfKind(*latest.data, kind), kRegular), latest.games,
                             kFrontPageLeaderCount, path, boxes);
        }
        put(section, "boxes", boxesData(boxes));
        put(data, "latest", std::move(section));
    }
    return write(path, settings_.title, "index", std::move(data));
}

} // namespace boxloom::site::pages
