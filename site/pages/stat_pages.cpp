#include "page_builder.h"

#include "urls.h"

#include <algorithm>

namespace boxloom::site::pages {

namespace {

// How many of the lines from `first` on are one player's, for more than one team.
std::size_t rowsOfOnePlayer(const std::vector<const StatLine*>& lines, std::size_t first) {
    const StatLine& line = *lines[first];
    std::size_t end = first + 1;
    while (end < lines.size() && lines[end]->hasPlayer && lines[end]->playerId == line.playerId &&
           lines[end]->player == line.player)
        ++end;
    for (std::size_t i = first + 1; i < end; ++i)
        if (lines[i]->team != line.team) return end - first;
    return 1;
}

} // namespace

std::string SiteBuilder::statPages(const SeasonPages& season) {
    const SeasonData& data = *season.data;
    struct Kind {
        const char* page;
        const char* heading;
        const std::vector<StatLine>* lines;
        std::span<const StatColumn> columns;
        Qualifier qualifier;
    };
    const Kind kinds[] = {
        {"batting", "Batting", &data.batting, battingColumns(), Qualifier::PlateAppearances},
        {"pitching", "Pitching", &data.pitching, pitchingColumns(), Qualifier::Outs},
        {"fielding", "Fielding", &data.fielding, fieldingColumns(), Qualifier::None},
    };
    std::vector<std::string> types = orderedStatTypes(data);
    // The index links every season's regular-season tables, rows or not.
    if (std::find(types.begin(), types.end(), kRegular) == types.end())
        types.insert(types.begin(), std::string(kRegular));
    for (const Kind& kind : kinds) {
        for (const std::string& type : types) {
            const std::string path = urls::seasonTable(season.folder, kind.page, type);
            const Counter games = gamesFor(data, type, settings_.games);
            const auto amounts = amountsById(*kind.lines, type, kind.qualifier);
            const bool fielding = kind.lines == &data.fielding;
            TableData table(std::string(kind.page) + "-" + folderNameFor(type),
                            fielding ? std::vector<std::string>{"Player", "Team", "Pos"}
                                     : std::vector<std::string>{"Player", "Team"});
            table.addColumns(kind.columns);
            const std::vector<const StatLine*> lines = linesOf(*kind.lines, type);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const StatLine* line = lines[i];
                std::vector<Cell> leading = {
                    {line->hasPlayer ? displayName(line->player) : line->player,
                     line->hasPlayer ? playerLink(path, line->playerId, line->player) : std::string()},
                    {line->team}};
                bool qualified = false;
                if (fielding) {
                    leading.push_back({line->position});
                    qualified = qualifiesAtPosition(line->position, line->counters[fld::G], games);
                } else if (const auto amount = amounts.find(line->playerId);
                           line->hasPlayer && amount != amounts.end()) {
                    qualified = amount->second >= minimumFor(kind.qualifier, games);
                }
                // A player with rows for several teams: his season total first, marked TOT,
                // and only it in the qualified view, where he ranks on it.
                const std::size_t rows = fielding || !line->hasPlayer ? 1 : rowsOfOnePlayer(lines, i);
                if (rows > 1) {
                    Counters total;
                    for (std::size_t j = i; j < i + rows; ++j)
                        addCounters(total, lines[j]->counters);
                    table.addRow({leading[0], {"TOT"}}, total, kind.columns,
                                 qualified ? "tot" : "tot unqualified");
                }
                for (std::size_t j = i; j < i + rows; ++j) {
                    if (j > i) leading[1] = Cell(lines[j]->team);
                    table.addRow(leading, lines[j]->counters, kind.columns,
                                 rows > 1    ? "part"
                                 : qualified ? ""
                                             : "unqualified");
                }
                i += rows - 1;
            }
            PageData tables = list();
            if (!table.empty()) {
                table.setQualifiedToggle(
                    fielding ? "games at the position"
                             : minimumText(kind.qualifier, minimumFor(kind.qualifier, games)));
                append(tables, table.data(type));
            }
            PageData others = list();
            for (const std::string& other : types) {
                if (other == type) continue;
                PageData link;
                put(link, "name", other);
                put(link, "link", urls::relative(path, urls::seasonTable(season.folder, kind.page, other)));
                append(others, std::move(link));
            }
            PageData page;
            put(page, "description",
                data.label + ", " + type + ": every " + std::string(kind.page) +
                    " row. Select a column heading to sort.");
            put(page, "tables", std::move(tables));
            put(page, "anyOthers", types.size() > 1);
            put(page, "otherTypes", std::move(others));
            put(page, "leaders", urls::relative(path, urls::seasonLeaders(season.folder, kRegular)));
            if (std::string reason =
                    write(path, data.label + " " + kind.heading + ", " + type, "stats", std::move(page));
                !reason.empty())
                return reason;
        }
    }
    return {};
}

} // namespace boxloom::site::pages
