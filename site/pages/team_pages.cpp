#include "page_builder.h"

#include "line_kinds.h"

#include "row_classes.h"
#include "urls.h"

namespace boxloom::site::pages {

TeamPage SiteBuilder::teamPage(const SeasonPages& season, const Team& team,
                               const std::vector<Standing>& standings) const {
    const SeasonData& data = *season.data;
    TeamPage page;
    page.path = urls::team(season.folder, team.id);
    page.title = team.name() + " " + data.label;
    page.season = data.label;
    page.leadersLink = urls::relative(page.path, urls::seasonLeaders(season.folder, kRegular));
    page.franchiseLink = urls::relative(page.path, urls::franchise(team.id));
    for (const Standing& standing : standings)
        if (standing.team->id == team.id)
            page.record = std::to_string(standing.wins) + "–" + std::to_string(standing.losses);
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching})
        addCategoryBoxes(kind, seasonTotals(linesOfKind(data, kind), kRegular, {}, team.id), {season.games},
                         kTeamLeaderCount, page.path, page.boxes);
    for (const std::string& type : orderedStatTypes(data)) {
        for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
            const std::string heading(lineKind(kind).heading);
            StatTable table{heading + "-" + folderNameFor(type),
                            heading + ", " + type,
                            {"Player"},
                            lineKind(kind).columns(),
                            {}};
            Counters total;
            for (const StatLine* line : linesOf(linesOfKind(data, kind), type, team.id)) {
                table.rows.push_back({{{line->hasPlayer ? displayName(line->player) : line->player,
                                        line->hasPlayer ? playerLink(page.path, line->playerId, line->player)
                                                        : std::string()}},
                                      line->counters,
                                      {},
                                      {}});
                addCounters(total, line->counters);
            }
            if (table.rows.empty()) continue;
            table.rows.push_back({{{"Team total"}}, total, std::string(row_classes::kTotal), {}});
            page.tables.push_back(std::move(table));
        }
    }
    return page;
}

std::string SiteBuilder::teamPages(const SeasonPages& season) {
    const std::vector<Standing> table = standings(*season.data);
    for (const Team& team : season.data->teams) {
        TeamPage page = teamPage(season, team, table);
        if (std::string reason = write(page.path, page.title, "team", page); !reason.empty()) return reason;
    }
    return {};
}

} // namespace boxloom::site::pages
