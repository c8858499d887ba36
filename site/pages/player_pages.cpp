#include "page_builder.h"

#include "urls.h"

#include <algorithm>
#include <array>

namespace boxloom::site::pages {

// A chart of one rate by season, as the data of the player template.
PageData rateChart(const std::string& label, const std::vector<std::pair<std::string, Ratio>>& points,
                   Shown shown) {
    std::vector<std::pair<std::string, Ratio>> defined;
    for (const auto& point : points)
        if (point.second.defined()) defined.push_back(point);
    if (defined.size() < 2) return PageData(false);
    constexpr double kWidth = 480, kHeight = 160, kMargin = 24;
    double low = defined.front().second.value(), high = low;
    for (const auto& [season, value] : defined) {
        low = std::min(low, value.value());
        high = std::max(high, value.value());
    }
    const double span = high > low ? high - low : 1.0;
    PageData dots = list();
    std::string polyline;
    for (std::size_t i = 0; i < defined.size(); ++i) {
        const double x = kMargin + (kWidth - 2 * kMargin) * static_cast<double>(i) /
                                       static_cast<double>(defined.size() - 1);
        const double y = kMargin + (kHeight - 2.5 * kMargin) * (high - defined[i].second.value()) / span;
        polyline += (i == 0 ? "" : " ") + coordinate(x) + "," + coordinate(y);
        PageData dot;
        put(dot, "x", coordinate(x));
        put(dot, "y", coordinate(y));
        put(dot, "labelY", coordinate(kHeight - 4));
        put(dot, "season", defined[i].first);
        put(dot, "value", formatValue(defined[i].second, shown));
        append(dots, std::move(dot));
    }
    PageData chart;
    put(chart, "label", label);
    put(chart, "width", coordinate(kWidth));
    put(chart, "height", coordinate(kHeight));
    put(chart, "points", polyline);
    put(chart, "dots", std::move(dots));
    return chart;
}

std::string SiteBuilder::playerPages(std::span<const Player* const> players) {
    for (const Player* each : players) {
        const Player& player = *each;
        const PlayerKey& key = player.key;
        const std::string path = urls::player(player.page);
        PageData tables = list();
        struct Kind {
            const char* heading;
            const std::vector<PlayerLine>* lines;
            std::span<const StatColumn> columns;
            const char* statsTable; // PreSeason has no leaders
        };
        const Kind kinds[] = {{"Batting", &player.batting, battingColumns(), "batting"},
                              {"Pitching", &player.pitching, pitchingColumns(), "pitching"}};
        std::vector<std::pair<std::string, Ratio>> ops, era;
        for (const Kind& kind : kinds) {
            std::vector<std::string> types;
            for (const PlayerLine& line : *kind.lines)
                if (std::find(types.begin(), types.end(), line.line->statType) == types.end())
                    types.push_back(line.line->statType);
            std::stable_sort(types.begin(), types.end(), [](const std::string& a, const std::string& b) {
                const auto weight = [](const std::string& t) {
                    return t == kRegular ? 0 : t == kPreSeason ? 2 : 1;
                };
                return weight(a) < weight(b);
            });
            for (const std::string& type : types) {
                TableData table(std::string(kind.heading) + "-" + folderNameFor(type), {"Season", "Team"});
                table.addColumns(kind.columns);
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
                                                       ? urls::seasonTable(folder, kind.statsTable, type)
                                                       : urls::seasonLeaders(folder, type);
                    for (const StatLine* row : rows) {
                        table.addRow({{seasons_[s].label, urls::relative(path, seasonPage)},
                                      {row->team, urls::relative(path, urls::team(folder, row->teamId))}},
                                     row->counters, kind.columns, {},
                                     rows.size() == 1 ? bold : std::vector<std::string_view>{});
                        addCounters(seasonTotal, row->counters);
                    }
                    if (rows.size() > 1)
                        table.addRow({{seasons_[s].label}, {"TOT"}}, seasonTotal, kind.columns, "total",
                                     bold);
                    addCounters(career, seasonTotal);
                    if (type == kRegular && kind.lines == &player.batting)
                        ops.push_back({seasons_[s].label, onBasePlusSlugging(seasonTotal)});
                    if (type == kRegular && kind.lines == &player.pitching)
                        era.push_back({seasons_[s].label, earnedRunAverage(seasonTotal)});
                }
                if (type != kPreSeason) table.addRow({{"Career"}, {""}}, career, kind.columns, "total");
                append(tables, table.data(std::string(kind.heading) + ", " + type));
            }
        }
        // Splits of the regular seasons, against left- and right-handed pitchers.
        TableData splits("splits", {"Season", "Against"});
        splits.addColumns(splitColumns());
        for (std::size_t s = 0; s < seasons_.size(); ++s) {
            std::array<Counters, 2> sides;
            bool any = false;
            for (const PlayerLine& line : player.batting) {
                if (line.season != s || line.line->statType != kRegular) continue;
                any = true;
                for (std::size_t side = 0; side < 2; ++side)
                    addCounters(sides[side], line.line->splits[side]);
            }
            if (!any) continue;
            splits.addRow({{seasons_[s].label}, {"LHP"}}, sides[0], splitColumns());
            splits.addRow({{seasons_[s].label}, {"RHP"}}, sides[1], splitColumns());
        }
        if (!splits.empty()) append(tables, splits.data("Batting splits, Regular"));
        TableData fielding("fielding", {"Season", "Team", "Pos"});
        fielding.addColumns(fieldingColumns());
        for (const PlayerLine& line : player.fielding)
            if (line.line->statType == kRegular)
                fielding.addRow({{seasons_[line.season].label}, {line.line->team}, {line.line->position}},
                                line.line->counters, fieldingColumns());
        if (!fielding.empty()) append(tables, fielding.data("Fielding, Regular"));

        PageData page;
        const bool pitcher = !era.empty() && (ops.empty() || player.pitching.size() >= player.batting.size());
        put(page, "chart",
            pitcher ? rateChart("ERA", era, Shown::TwoDecimals) : rateChart("OBP+SLG", ops, Shown::Average));
        put(page, "tables", std::move(tables));
        if (std::string reason = write(path, displayName(key.name), "player", std::move(page));
            !reason.empty())
            return reason;
    }
    return {};
}

} // namespace boxloom::site::pages
