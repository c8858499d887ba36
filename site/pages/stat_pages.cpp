#include "page_builder.h"

#include "line_kinds.h"

#include "row_classes.h"
#include "urls.h"

#include <algorithm>

namespace boxloom::site::pages {

namespace {

// A row's classes: its own, and "unqualified" when it does not qualify.
std::string classes(std::string_view own, bool qualified) {
    std::string made(own);
    if (!qualified) made += (made.empty() ? "" : " ") + std::string(row_classes::kUnqualified);
    return made;
}

// The lines from `first` on that are one player's, and whether for more than one team.
struct PlayerRun {
    std::size_t end;
    bool severalTeams;
};
PlayerRun runOfOnePlayer(const std::vector<const StatLine*>& lines, std::size_t first) {
    const StatLine& line = *lines[first];
    PlayerRun run{first + 1, false};
    for (; run.end < lines.size() && lines[run.end]->hasPlayer && lines[run.end]->playerId == line.playerId &&
           lines[run.end]->player == line.player;
         ++run.end)
        run.severalTeams = run.severalTeams || lines[run.end]->team != line.team;
    return run;
}

} // namespace

SeasonTablePage SiteBuilder::seasonTablePage(const SeasonPages& season, SeasonTableKind which,
                                             const std::string& type,
                                             const std::vector<std::string>& types) const {
    const SeasonData& data = *season.data;
    const LineKind& kind = lineKind(which);
    const bool fielding = which == SeasonTableKind::Fielding;
    SeasonTablePage page;
    page.path = urls::seasonTable(season.folder, kind.page, type);
    page.laterRowsPath = urls::seasonTableRows(season.folder, kind.page, type);
    page.title = data.label + " " + std::string(kind.heading) + ", " + type;
    page.description = data.label + ", " + type + ": every " + std::string(kind.page) +
                       " row. Select a column heading to sort.";
    page.leadersLink = urls::relative(page.path, urls::seasonLeaders(season.folder, kRegular));
    for (const std::string& other : types)
        if (other != type)
            page.otherTypes.push_back(
                {other, urls::relative(page.path, urls::seasonTable(season.folder, kind.page, other))});
    const Counter games = gamesFor(data, type, settings_.games);
    const auto amounts = amountsById(data.*kind.lines, type, kind.qualifier);
    const auto outsPitched =
        fielding ? amountsById(data.pitching, type, Qualifier::Outs) : decltype(amounts){};
    StatTable& table = page.table;
    table.id = std::string(kind.page) + "-" + folderNameFor(type);
    table.heading = type;
    table.leadingLabels = fielding ? std::vector<std::string>{"Player", "Team", "Pos"}
                                   : std::vector<std::string>{"Player", "Team"};
    table.columns = kind.columns();
    table.qualifiedToggle =
        fielding ? "games at the position" : minimumText(kind.qualifier, minimumFor(kind.qualifier, games));
    const std::vector<const StatLine*> lines = linesOf(data.*kind.lines, type);
    // Lines before it are rows of one player for one team, each a row of its own:
    // their run is read once, not again from each of them.
    std::size_t oneTeamUntil = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const StatLine* line = lines[i];
        std::vector<Cell> leading = {
            {line->hasPlayer ? displayName(line->player) : line->player,
             line->hasPlayer ? playerLink(page.path, line->playerId, line->player) : std::string()},
            {line->team}};
        bool qualified = false;
        if (fielding) {
            leading.push_back({line->position});
            const auto outs = outsPitched.find(line->playerId);
            qualified = qualifiesAtPosition(line->position, line->counters[fld::G],
                                            outs == outsPitched.end() ? 0 : outs->second, games);
        } else if (const auto amount = amounts.find(line->playerId);
                   line->hasPlayer && amount != amounts.end()) {
            qualified = amount->second >= minimumFor(kind.qualifier, games);
        }
        // A player with rows for several teams: his season total first, marked TOT,
        // his team rows under it; the qualified view asks the total.
        std::size_t rows = 1;
        if (!fielding && line->hasPlayer && i >= oneTeamUntil) {
            const PlayerRun run = runOfOnePlayer(lines, i);
            if (run.severalTeams)
                rows = run.end - i;
            else
                oneTeamUntil = run.end;
        }
        if (rows > 1) {
            Counters total;
            for (std::size_t j = i; j < i + rows; ++j)
                addCounters(total, lines[j]->counters);
            table.rows.push_back(
                {{leading[0], {"TOT"}}, total, classes(row_classes::kTradedTotal, qualified), {}});
        }
        for (std::size_t j = i; j < i + rows; ++j) {
            if (j > i) leading[1] = Cell(lines[j]->team);
            std::string rowClass = classes(rows > 1 ? row_classes::kTradedPart : "", qualified);
            table.rows.push_back({leading, lines[j]->counters, std::move(rowClass), {}});
        }
        i += rows - 1;
    }
    return page;
}

std::string SiteBuilder::statPages(const SeasonPages& season) {
    std::vector<std::string> types = orderedStatTypes(*season.data);
    // The index links every season's regular-season tables, rows or not.
    if (std::find(types.begin(), types.end(), kRegular) == types.end())
        types.insert(types.begin(), std::string(kRegular));
    for (SeasonTableKind kind :
         {SeasonTableKind::Batting, SeasonTableKind::Pitching, SeasonTableKind::Fielding}) {
        for (const std::string& type : types) {
            const SeasonTablePage page = seasonTablePage(season, kind, type, types);
            std::string html, laterRows;
            if (std::string reason =
                    renderPage(templates_, "stats", frameOf(page.path, page.title), page, html, laterRows);
                !reason.empty())
                return reason;
            if (!laterRows.empty()) sink_.put(task_, page.laterRowsPath, laterRows);
            sink_.put(task_, page.path, html);
        }
    }
    return {};
}

} // namespace boxloom::site::pages
