#include "page_builder.h"

#include "urls.h"

#include <tuple>

namespace boxloom::site::pages {

std::string SiteBuilder::teamPages(const SeasonPages& season) {
    const SeasonData& data = *season.data;
    const std::vector<Standing> table = standings(data);
    for (const Team& team : data.teams) {
        const std::string path = urls::team(season.folder, team.id);
        PageData page;
        put(page, "season", data.label);
        put(page, "leaders", urls::relative(path, urls::seasonLeaders(season.folder, kRegular)));
        put(page, "franchise", urls::relative(path, urls::franchise(team.id)));
        std::string record;
        for (const Standing& standing : table)
            if (standing.team->id == team.id)
                record = std::to_string(standing.wins) + "–" + std::to_string(standing.losses);
        put(page, "record", record);
        LeaderBoxes boxes;
        for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
            addCategoryBoxes(kind, seasonTotals(linesOfKind(data, kind), kRegular, {}, team.id), season.games,
                             kTeamLeaderCount, path, boxes);
        }
        put(page, "boxes", boxesData(boxes));
        PageData tables = list();
        for (const std::string& type : orderedStatTypes(data)) {
            for (const auto& [heading, lines, columns] :
                 {std::tuple{"Batting", &data.batting, battingColumns()},
                  std::tuple{"Pitching", &data.pitching, pitchingColumns()}}) {
                TableData rows(std::string(heading) + "-" + folderNameFor(type), {"Player"});
                rows.addColumns(columns);
                Counters total;
                for (const StatLine* line : linesOf(*lines, type, team.id)) {
                    rows.addRow(
                        {{line->hasPlayer ? displayName(line->player) : line->player,
                          line->hasPlayer ? playerLink(path, line->playerId, line->player) : std::string()}},
                        line->counters, columns);
                    addCounters(total, line->counters);
                }
                if (rows.empty()) continue;
                rows.addRow({{"Team total"}}, total, columns, "total");
                append(tables, rows.data(std::string(heading) + ", " + type));
            }
        }
        put(page, "tables", std::move(tables));
        if (std::string reason = write(path, team.name() + " " + data.label, "team", std::move(page));
            !reason.empty())
            return reason;
    }
    return {};
}

} // namespace boxloom::site::pages
