#include "page_builder.h"

#include "urls.h"

namespace boxloom::site::pages {

SiteBuilder::SeasonLeaders SiteBuilder::seasonLeaders(const SeasonPages& season, const std::string& statType,
                                                      Counter games, const std::string& from) const {
    SeasonLeaders leaders;
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching})
        addCategoryBoxes(kind, seasonTotals(linesOfKind(*season.data, kind), statType), games, kLeaderCount,
                         from, kind == StatKind::Batting ? leaders.batting : leaders.pitching);
    leaders.fielding = fieldingBoxes(*season.data, statType, games, from);
    return leaders;
}

std::string SiteBuilder::leaderPages(const SeasonPages& season) {
    const std::vector<std::string> types = orderedStatTypes(*season.data);
    for (const std::string& type : types) {
        if (type == kPreSeason) continue;
        const std::string path = urls::seasonLeaders(season.folder, type);
        const Counter games = gamesFor(*season.data, type, settings_.games);
        PageData data;
        put(data, "statType", type);
        put(data, "games", std::to_string(games));
        PageData others = list();
        for (const std::string& other : types) {
            if (other == type || other == kPreSeason) continue;
            PageData link;
            put(link, "name", other);
            put(link, "link", urls::relative(path, urls::seasonLeaders(season.folder, other)));
            append(others, std::move(link));
        }
        put(data, "otherTypes", std::move(others));
        const std::size_t index = static_cast<std::size_t>(&season - seasonPages_.data());
        if (type == kRegular && index < downloads_.seasonFiles.size()) {
            PageData files = list();
            for (const SiteDownloads::File& file : downloads_.seasonFiles[index]) {
                PageData item;
                put(item, "name", file.name);
                put(item, "link", urls::relative(path, urls::seasonDownload(season.folder, file.name)));
                append(files, std::move(item));
            }
            PageData downloads;
            put(downloads, "files", std::move(files));
            put(data, "downloads", std::move(downloads));
        }
        const SeasonLeaders leaders = seasonLeaders(season, type, games, path);
        PageData groups = list();
        appendGroup(groups, "Batting", leaders.batting);
        appendGroup(groups, "Pitching", leaders.pitching);
        appendGroup(groups, "Fielding", leaders.fielding);
        put(data, "groups", std::move(groups));
        if (std::string reason =
                write(path, season.data->label + " " + type + " leaders", "leaders", std::move(data));
            !reason.empty())
            return reason;
    }
    return {};
}

std::string SiteBuilder::downloadFiles() {
    for (std::size_t s = 0; s < downloads_.seasonFiles.size() && s < seasonPages_.size(); ++s)
        for (const SiteDownloads::File& file : downloads_.seasonFiles[s])
            sink_.put(task_, urls::seasonDownload(seasonPages_[s].folder, file.name), file.bytes);
    if (!downloads_.database.empty()) sink_.put(task_, urls::databaseCopy(), downloads_.database);
    return {};
}

} // namespace boxloom::site::pages
