#include "page_builder.h"

#include "line_kinds.h"

#include "row_classes.h"
#include "urls.h"

#include <algorithm>
#include <array>

namespace boxloom::site::pages {

namespace {

std::vector<std::string> statTypesOf(const std::vector<PlayerLine>& lines) {
    std::vector<std::string> types;
    for (const PlayerLine& line : lines)
        if (std::find(types.begin(), types.end(), line.line->statType) == types.end())
            types.push_back(line.line->statType);
    return inPageOrder(std::move(types));
}

// A player's batting or pitching: its tables, one per stat type, and its chart.
struct PlayerKind {
    const LineKind& table;
    const std::vector<PlayerLine>* lines;
    std::vector<std::pair<std::string, Ratio>>* chart;
    Ratio (*charted)(const Counters&);
};

// Splits of the regular seasons, against left- and right-handed pitchers.
StatTable splitsTable(const Player& player, const std::vector<SeasonData>& seasons) {
    StatTable splits{"splits", "Batting splits, Regular", {"Season", "Against"}, splitColumns(), {}};
    for (std::size_t s = 0; s < seasons.size(); ++s) {
        std::array<Counters, 2> sides;
        bool any = false;
        for (const PlayerLine& line : player.batting) {
            if (line.season != s || line.line->statType != kRegular) continue;
            any = true;
            for (std::size_t side = 0; side < 2; ++side)
                addCounters(sides[side], line.line->splits[side]);
        }
        if (!any) continue;
        splits.rows.push_back({{{seasons[s].label}, {"LHP"}}, sides[0], {}, {}});
        splits.rows.push_back({{{seasons[s].label}, {"RHP"}}, sides[1], {}, {}});
    }
    return splits;
}

StatTable fieldingTable(const Player& player, const std::vector<SeasonData>& seasons) {
    StatTable fielding{"fielding", "Fielding, Regular", {"Season", "Team", "Pos"}, fieldingColumns(), {}};
    for (const PlayerLine& line : player.fielding)
        if (line.line->statType == kRegular)
            fielding.rows.push_back({{{seasons[line.season].label}, {line.line->team}, {line.line->position}},
                                     line.line->counters,
                                     {},
                                     {}});
    return fielding;
}

} // namespace

PlayerPage SiteBuilder::playerPage(const Player& player) const {
    const PlayerKey& key = player.key;
    PlayerPage page;
    page.path = urls::player(player.page);
    page.title = displayName(key.name);
    const PlayerKind kinds[] = {
        {lineKind(StatKind::Batting), &player.batting, &page.ops, onBasePlusSlugging},
        {lineKind(StatKind::Pitching), &player.pitching, &page.era, rateOf<rate::kEarnedRunAverage>}};
    for (const PlayerKind& kind : kinds) {
        for (const std::string& type : statTypesOf(*kind.lines)) {
            StatTable table{std::string(kind.table.heading) + "-" + folderNameFor(type),
                            std::string(kind.table.heading) + ", " + type,
                            {"Season", "Team"},
                            kind.table.columns(),
                            {}};
            Counters career;
            for (std::size_t s = 0; s < seasons_.size(); ++s) {
                Counters seasonTotal;
                std::vector<const StatLine*> rows;
                for (const PlayerLine& line : *kind.lines)
                    if (line.season == s && line.line->statType == type) rows.push_back(line.line);
                if (rows.empty()) continue;
                std::vector<std::string_view> bold;
                if (type == kRegular)
                    for (const auto& [category, id] : seasonPages_[s].leading)
                        if (id == key.id) bold.push_back(category);
                const std::string& folder = seasonPages_[s].folder;
                const std::string seasonPage = type == kPreSeason
                                                   ? urls::seasonTable(folder, kind.table.page, type)
                                                   : urls::seasonLeaders(folder, type);
                for (const StatLine* row : rows) {
                    table.rows.push_back(
                        {{{seasons_[s].label, urls::relative(page.path, seasonPage)},
                          {row->team, urls::relative(page.path, urls::team(folder, row->teamId))}},
                         row->counters,
                         {},
                         rows.size() == 1 ? bold : std::vector<std::string_view>{}});
                    addCounters(seasonTotal, row->counters);
                }
                if (rows.size() > 1)
                    table.rows.push_back({{{seasons_[s].label}, {"TOT"}},
                                          seasonTotal,
                                          std::string(row_classes::kTotal),
                                          bold});
                addCounters(career, seasonTotal);
                if (type == kRegular) kind.chart->push_back({seasons_[s].label, kind.charted(seasonTotal)});
            }
            if (type != kPreSeason)
                table.rows.push_back({{{"Career"}, {""}}, career, std::string(row_classes::kTotal), {}});
            page.tables.push_back(std::move(table));
        }
    }
    if (StatTable splits = splitsTable(player, seasons_); !splits.rows.empty())
        page.tables.push_back(std::move(splits));
    if (StatTable fielding = fieldingTable(player, seasons_); !fielding.rows.empty())
        page.tables.push_back(std::move(fielding));
    page.pitcher = !page.era.empty() && (page.ops.empty() || player.pitching.size() >= player.batting.size());
    return page;
}

namespace {

// The seasons his page reads: those he played in.
std::vector<std::size_t> seasonsOf(const Player& player) {
    std::vector<std::size_t> seasons;
    for (const auto* lines : {&player.batting, &player.pitching, &player.fielding})
        for (const PlayerLine& line : *lines)
            seasons.push_back(line.season);
    std::sort(seasons.begin(), seasons.end());
    seasons.erase(std::unique(seasons.begin(), seasons.end()), seasons.end());
    return seasons;
}

} // namespace

std::string SiteBuilder::playerPages(std::span<const Player* const> players) {
    for (const Player* player : players) {
        if (reuse(keys_.of("player " + player->page, seasonsOf(*player)))) continue;
        const PlayerPage page = playerPage(*player);
        if (std::string reason = write(page.path, page.title, "player", page); !reason.empty()) return reason;
    }
    return {};
}

} // namespace boxloom::site::pages
