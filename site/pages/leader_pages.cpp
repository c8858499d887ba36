#include "page_builder.h"

#include "line_kinds.h"

#include "urls.h"

namespace boxloom::site::pages {

SiteBuilder::SeasonLeaders SiteBuilder::seasonLeaders(const SeasonPages& season, const std::string& statType,
                                                      Counter games, const std::string& from) const {
    SeasonLeaders leaders;
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching})
        addCategoryBoxes(kind, seasonTotals(linesOfKind(*season.data, kind), statType), {games}, kLeaderCount,
                         from, kind == StatKind::Batting ? leaders.batting : leaders.pitching);
    leaders.fielding = fieldingBoxes(*season.data, statType, games, from);
    return leaders;
}

SeasonLeadersPage SiteBuilder::seasonLeadersPage(const SeasonPages& season, const std::string& statType,
                                                 const std::vector<std::string>& types) const {
    SeasonLeadersPage page;
    page.path = urls::seasonLeaders(season.folder, statType);
    page.title = season.data->label + " " + statType + " leaders";
    page.statType = statType;
    page.games = gamesFor(*season.data, statType, settings_.games);
    for (const std::string& other : types)
        if (other != statType && other != kPreSeason)
            page.otherTypes.push_back(
                {other, urls::relative(page.path, urls::seasonLeaders(season.folder, other))});
    const std::size_t index = static_cast<std::size_t>(&season - seasonPages_.data());
    if (statType == kRegular && index < downloads_.seasonFiles.size())
        for (const SiteDownloads::File& file : downloads_.seasonFiles[index])
            page.downloads.push_back(
                {file.name, urls::relative(page.path, urls::seasonDownload(season.folder, file.name))});
    SeasonLeaders leaders = seasonLeaders(season, statType, page.games, page.path);
    const auto heading = [](SeasonTableKind kind) { return std::string(lineKind(kind).heading); };
    page.groups = {{heading(SeasonTableKind::Batting), std::move(leaders.batting)},
                   {heading(SeasonTableKind::Pitching), std::move(leaders.pitching)},
                   {heading(SeasonTableKind::Fielding), std::move(leaders.fielding)}};
    return page;
}

std::string SiteBuilder::leaderPages(const SeasonPages& season) {
    const std::vector<std::string> types = orderedStatTypes(*season.data);
    for (const std::string& type : types) {
        if (type == kPreSeason) continue;
        const SeasonLeadersPage page = seasonLeadersPage(season, type, types);
        if (std::string reason = write(page.path, page.title, "leaders", page); !reason.empty())
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
