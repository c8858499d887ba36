#include "site_pages.h"

#include "urls.h"

#include "parallel.h"
#include "players.h"
#include "ranking.h"
#include "rules.h"
#include "site_writer.h"
#include "stat_tables.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <memory>
#include <numeric>
#include <set>
#include <unordered_map>

namespace boxloom::site {

namespace {

constexpr std::size_t kLeaderCount = 10;
constexpr std::size_t kFrontPageLeaderCount = 5;
constexpr std::size_t kTeamLeaderCount = 3;

PageData list() { return PageData{PageData::type::list}; }

PageData textList(const std::vector<std::string>& texts) {
    PageData items = list();
    for (const std::string& text : texts)
        append(items, PageData(text));
    return items;
}

std::string coordinate(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    return std::string(buffer, result.ptr);
}

// Regular first, then the playoff types in the order they appear, PreSeason last.
std::vector<std::string> orderedStatTypes(const SeasonData& season) {
    std::vector<std::string> types;
    if (std::find(season.statTypes.begin(), season.statTypes.end(), kRegular) != season.statTypes.end())
        types.emplace_back(kRegular);
    for (const std::string& type : season.statTypes)
        if (type != kRegular && type != kPreSeason) types.push_back(type);
    if (std::find(season.statTypes.begin(), season.statTypes.end(), kPreSeason) != season.statTypes.end())
        types.emplace_back(kPreSeason);
    return types;
}

const std::vector<StatLine>& linesOfKind(const SeasonData& season, StatKind kind) {
    return kind == StatKind::Batting ? season.batting : season.pitching;
}

// Games per team for a stat type: the league's number for the regular season,
// otherwise the most starts of a team in that stat type's rows.
Counter gamesFor(const SeasonData& season, const std::string& statType, std::optional<Counter> told) {
    if (statType == kRegular) return gamesPerTeam(season, told);
    std::map<Counter, Counter> starts;
    Counter most = 0;
    for (const StatLine& line : season.pitching)
        if (line.statType == statType) most = std::max(most, starts[line.teamId] += line.counters[pit::GS]);
    return most;
}

// The candidates of a category: the players whose counters qualify.
template <typename Qualifies>
std::vector<Candidate> candidatesOf(const std::vector<PlayerTotal>& totals, Qualifies qualifies,
                                    Ratio (*value)(const Counters&)) {
    std::vector<Candidate> found;
    for (std::size_t i = 0; i < totals.size(); ++i)
        if (qualifies(totals[i].counters)) found.push_back({totals[i].player, value(totals[i].counters), i});
    return found;
}

struct BoxHeading {
    std::string key; // for the anchor
    std::string title;
    std::string minimum; // "" for counting categories
};

BoxHeading headingOf(const Category& category, Counter minimum) {
    return {std::string(category.key), std::string(category.title), minimumText(category.qualifier, minimum)};
}

std::vector<Candidate> categoryCandidates(const Category& category, const std::vector<PlayerTotal>& totals,
                                          Counter minimum) {
    return candidatesOf(
        totals, [&](const Counters& counters) { return qualifies(category, counters, minimum); },
        category.value);
}

struct SeasonPages {
    const SeasonData* data = nullptr;
    std::string folder;
    Counter games = 0;
    // The players leading a category of the regular season: (category, PlayerID).
    std::set<std::pair<std::string_view, std::int64_t>> leading;
};

// What every page is made from, worked out once and shared by the threads
// that make the pages.
struct SiteModel {
    const std::vector<SeasonData>& seasons;
    const SiteSettings& settings;
    Players players;
    std::vector<SeasonPages> seasonPages;
};

// Makes pages into its own list of files, so that several can work at once.
class SiteBuilder {
public:
    SiteBuilder(const SiteModel& model, const SiteTemplates& templates, PageSink& sink, std::size_t task)
        : seasons_(model.seasons), settings_(model.settings), templates_(templates), sink_(sink), task_(task),
          players_(model.players), seasonPages_(model.seasonPages) {}

    std::string indexPage();
    std::string leaderPages(const SeasonPages& season);
    std::string statPages(const SeasonPages& season);
    std::string teamPages(const SeasonPages& season);
    std::string playerPages(std::span<const Player* const> players);
    std::string playersIndex();
    std::string careerPage();
    std::string glossaryPage();
    std::string styleSheet();

private:
    // The page at `path`; its links to other pages are made from that path.
    std::string write(const std::string& path, const std::string& title, std::string_view page,
                      PageData data);
    std::string playerLink(const std::string& from, std::int64_t id, std::string_view name) const;

    // A leader box: the ranked candidates stand for players of `totals`.
    PageData box(const BoxHeading& heading, const std::vector<Ranked>& ranked,
                 const std::vector<PlayerTotal>& totals, Shown shown, const std::string& from) const;
    // Appends the leader boxes of a kind's categories over players' totals (a season's or a team's).
    void addCategoryBoxes(StatKind kind, const std::vector<PlayerTotal>& totals, Counter games,
                          std::size_t limit, const std::string& from, PageData& boxes) const;
    PageData fieldingBoxes(const SeasonData& season, const std::string& statType, Counter games,
                           const std::string& from) const;
    PageData standingsTable(const SeasonPages& season, const std::string& from) const;

    const std::vector<SeasonData>& seasons_;
    const SiteSettings& settings_;
    const SiteTemplates& templates_;
    PageSink& sink_;
    std::size_t task_;
    const Players& players_;
    const std::vector<SeasonPages>& seasonPages_;
};

std::string SiteBuilder::write(const std::string& path, const std::string& title, std::string_view page,
                               PageData data) {
    PageData layout;
    put(layout, "title", title);
    put(layout, "league", settings_.title);
    put(layout, "root", urls::rootOf(path));
    put(layout, "version", settings_.version);
    std::string html;
    if (std::string reason = templates_.renderPage(page, std::move(data), layout, html); !reason.empty())
        return reason;
    sink_.put(task_, path, html);
    return {};
}

std::string SiteBuilder::playerLink(const std::string& from, std::int64_t id, std::string_view name) const {
    const Player* player = players_.find(id, name);
    return player == nullptr ? std::string() : urls::relative(from, urls::player(player->page));
}

PageData SiteBuilder::box(const BoxHeading& heading, const std::vector<Ranked>& ranked,
                          const std::vector<PlayerTotal>& totals, Shown shown,
                          const std::string& from) const {
    PageData entries = list();
    for (const Ranked& entry : ranked) {
        const PlayerTotal& total = totals[entry.candidate.source];
        PageData item;
        put(item, "rank", entry.rank);
        put(item, "name", displayName(total.player));
        put(item, "link", playerLink(from, total.playerId, total.player));
        put(item, "team", total.teamText());
        put(item, "value", formatValue(entry.candidate.value, shown));
        append(entries, std::move(item));
    }
    PageData data;
    put(data, "key", heading.key);
    put(data, "title", heading.title);
    if (!heading.minimum.empty()) put(data, "minimum", heading.minimum);
    put(data, "entries", std::move(entries));
    return data;
}

void SiteBuilder::addCategoryBoxes(StatKind kind, const std::vector<PlayerTotal>& totals, Counter games,
                                   std::size_t limit, const std::string& from, PageData& boxes) const {
    for (const Category& category : leaderCategories()) {
        if (category.kind != kind) continue;
        const Counter minimum = minimumFor(category.qualifier, games);
        append(boxes,
               box(headingOf(category, minimum),
                   rankCandidates(categoryCandidates(category, totals, minimum), category.direction, limit),
                   totals, category.shown, from));
    }
}

PageData SiteBuilder::fieldingBoxes(const SeasonData& season, const std::string& statType, Counter games,
                                    const std::string& from) const {
    PageData boxes = list();
    for (const std::string& position : fieldingPositions()) {
        const std::vector<PlayerTotal> totals = seasonTotals(season.fielding, statType, position);
        std::vector<Candidate> found = candidatesOf(
            totals,
            [&](const Counters& counters) { return qualifiesAtPosition(position, counters[fld::G], games); },
            fieldingAverage);
        append(boxes, box({"fpct-" + position, "Fielding average, " + position,
                           positionMinimumText(position, games)},
                          rankCandidates(std::move(found), Direction::HigherFirst, kLeaderCount), totals,
                          Shown::Average, from));
    }
    return boxes;
}

PageData SiteBuilder::standingsTable(const SeasonPages& season, const std::string& from) const {
    TableData table("standings", {"Team"});
    table.addHeader("W", "Wins", true);
    table.addHeader("L", "Losses", true);
    table.addHeader("PCT", "Winning percentage: W / (W + L)", true);
    table.addHeader("GB", "Games behind the leader", true);
    for (const Standing& standing : standings(*season.data)) {
        std::vector<Cell> cells = {
            {standing.team->name(), urls::relative(from, urls::team(season.folder, standing.team->id))},
            {std::to_string(standing.wins)},
            {std::to_string(standing.losses)},
            {formatValue(standing.percentage, Shown::Average)},
            {standing.gamesBehind}};
        cells[3].sort = sortKey(standing.percentage);
        if (standing.gamesBehind == kUndefinedRate) cells[4].sort = "0"; // the leader
        for (std::size_t i = 1; i < cells.size(); ++i)
            cells[i].numeric = true;
        table.addRow(std::move(cells), {}, {});
    }
    return table.data("Standings");
}

// The players who lead a category of the regular season, for bold figures.
void noteLeaders(SeasonPages& pages) {
    const SeasonData& season = *pages.data;
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
        const std::vector<PlayerTotal> totals = seasonTotals(linesOfKind(season, kind), kRegular);
        for (const Category& category : leaderCategories()) {
            if (category.kind != kind) continue;
            const Counter minimum = minimumFor(category.qualifier, pages.games);
            // By PlayerID: two players may share a name.
            for (const Ranked& entry :
                 rankCandidates(categoryCandidates(category, totals, minimum), category.direction, 1))
                pages.leading.insert({category.key, totals[entry.candidate.source].playerId});
        }
    }
}

std::string SiteBuilder::indexPage() {
    const std::string path = urls::index();
    PageData data;
    PageData seasons = list();
    for (const SeasonPages& season : seasonPages_) {
        PageData item;
        put(item, "label", season.data->label);
        put(item, "leaders", urls::relative(path, urls::seasonLeaders(season.folder, kRegular)));
        for (const char* table : {"batting", "pitching", "fielding"})
            put(item, table, urls::relative(path, urls::seasonTable(season.folder, table)));
        append(seasons, std::move(item));
    }
    put(data, "seasons", std::move(seasons));
    if (!seasonPages_.empty()) {
        const SeasonPages& latest = seasonPages_.back();
        PageData section;
        put(section, "label", latest.data->label);
        put(section, "leaders", urls::relative(path, urls::seasonLeaders(latest.folder, kRegular)));
        put(section, "standings", standingsTable(latest, path));
        PageData boxes = list();
        for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
            addCategoryBoxes(kind, seasonTotals(linesOfKind(*latest.data, kind), kRegular), latest.games,
                             kFrontPageLeaderCount, path, boxes);
        }
        put(section, "boxes", std::move(boxes));
        put(data, "latest", std::move(section));
    }
    return write(path, settings_.title, "index", std::move(data));
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
        PageData groups = list();
        const auto group = [&groups](const std::string& heading, PageData boxes) {
            PageData item;
            put(item, "heading", heading);
            put(item, "boxes", std::move(boxes));
            append(groups, std::move(item));
        };
        for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
            PageData boxes = list();
            addCategoryBoxes(kind, seasonTotals(linesOfKind(*season.data, kind), type), games, kLeaderCount,
                             path, boxes);
            group(kind == StatKind::Batting ? "Batting" : "Pitching", std::move(boxes));
        }
        group("Fielding", fieldingBoxes(*season.data, type, games, path));
        put(data, "groups", std::move(groups));
        if (std::string reason =
                write(path, season.data->label + " " + type + " leaders", "leaders", std::move(data));
            !reason.empty())
            return reason;
    }
    return {};
}

// What the players have towards a qualifier in one stat type, by PlayerID.
std::unordered_map<std::int64_t, Counter> amountsById(const std::vector<StatLine>& lines,
                                                      const std::string& statType, Qualifier qualifier) {
    std::unordered_map<std::int64_t, Counter> byId;
    if (qualifier == Qualifier::None) return byId;
    for (const PlayerTotal& total : seasonTotals(lines, statType))
        byId.emplace(total.playerId, amountFor(qualifier, total.counters));
    return byId;
}

// The lines of a stat type (and of one team, when given), by player, team and position.
std::vector<const StatLine*> linesOf(const std::vector<StatLine>& lines, const std::string& statType,
                                     std::optional<std::int64_t> teamId = std::nullopt) {
    std::vector<const StatLine*> chosen;
    for (const StatLine& line : lines)
        if ((!teamId || line.teamId == *teamId) && line.statType == statType) chosen.push_back(&line);
    std::stable_sort(chosen.begin(), chosen.end(), [](const StatLine* a, const StatLine* b) {
        if (a->player != b->player) return a->player < b->player;
        if (a->team != b->team) return a->team < b->team;
        return a->position < b->position;
    });
    return chosen;
}

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
    for (const Kind& kind : kinds) {
        const std::string path = urls::seasonTable(season.folder, kind.page);
        PageData tables = list();
        for (const std::string& type : orderedStatTypes(data)) {
            const Counter games = gamesFor(data, type, settings_.games);
            const auto amounts = amountsById(*kind.lines, type, kind.qualifier);
            const bool fielding = kind.lines == &data.fielding;
            TableData table(std::string(kind.page) + "-" + folderNameFor(type),
                            fielding ? std::vector<std::string>{"Player", "Team", "Pos"}
                                     : std::vector<std::string>{"Player", "Team"});
            table.addColumns(kind.columns);
            for (const StatLine* line : linesOf(*kind.lines, type)) {
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
                table.addRow(std::move(leading), line->counters, kind.columns,
                             qualified ? "" : "unqualified");
            }
            if (table.empty()) continue;
            table.setQualifiedToggle(fielding
                                         ? "games at the position"
                                         : minimumText(kind.qualifier, minimumFor(kind.qualifier, games)));
            append(tables, table.data(type));
        }
        PageData page;
        put(page, "description",
            data.label + ": every " + std::string(kind.page) +
                " row of the season. Select a column heading to sort.");
        put(page, "tables", std::move(tables));
        put(page, "leaders", urls::relative(path, urls::seasonLeaders(season.folder, kRegular)));
        if (std::string reason = write(path, data.label + " " + kind.heading, "stats", std::move(page));
            !reason.empty())
            return reason;
    }
    return {};
}

std::string SiteBuilder::teamPages(const SeasonPages& season) {
    const SeasonData& data = *season.data;
    const std::vector<Standing> table = standings(data);
    for (const Team& team : data.teams) {
        const std::string path = urls::team(season.folder, team.id);
        PageData page;
        put(page, "season", data.label);
        put(page, "leaders", urls::relative(path, urls::seasonLeaders(season.folder, kRegular)));
        std::string record;
        for (const Standing& standing : table)
            if (standing.team->id == team.id)
                record = std::to_string(standing.wins) + "–" + std::to_string(standing.losses);
        put(page, "record", record);
        PageData boxes = list();
        for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
            addCategoryBoxes(kind, seasonTotals(linesOfKind(data, kind), kRegular, {}, team.id), season.games,
                             kTeamLeaderCount, path, boxes);
        }
        put(page, "boxes", std::move(boxes));
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
                                                       ? urls::seasonTable(folder, kind.statsTable)
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

std::string lastNameKey(const std::string& rowName) {
    std::string key;
    for (char c : rowName)
        key += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return key;
}

std::string SiteBuilder::playersIndex() {
    // (last name in capitals, PlayerID): each worked out once, not at every comparison.
    std::vector<std::pair<std::pair<std::string, std::int64_t>, const Player*>> keyed;
    for (const auto& [key, player] : players_.byKey)
        keyed.push_back({{lastNameKey(key.name), key.id}, &player});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const Player*> sorted;
    for (const auto& [sortKey, player] : keyed)
        sorted.push_back(player);
    PageData letters = list();
    std::string current;
    PageData entries = list();
    const auto flush = [&] {
        if (current.empty()) return;
        PageData letter;
        put(letter, "letter", current);
        put(letter, "anchor", current == "#" ? "other" : current);
        put(letter, "players", std::move(entries));
        append(letters, std::move(letter));
        entries = list();
    };
    for (const Player* player : sorted) {
        const char first = lastNameKey(player->key.name).empty() ? '#' : lastNameKey(player->key.name)[0];
        const std::string letter = first >= 'A' && first <= 'Z' ? std::string(1, first) : "#";
        if (letter != current) {
            flush();
            current = letter;
        }
        PageData item;
        put(item, "name", displayName(player->key.name));
        put(item, "link", player->page);
        put(item, "seasons", seasonSpan(seasons_, *player));
        append(entries, std::move(item));
    }
    flush();
    PageData page;
    put(page, "letters", std::move(letters));
    return write(urls::playersIndex(), "Players", "players", std::move(page));
}

std::string SiteBuilder::careerPage() {
    // Every regular-season line of a player, summed over the seasons.
    std::vector<PlayerTotal> batting, pitching;
    for (const auto& [key, player] : players_.byKey) {
        for (auto [lines, totals] :
             {std::pair{&player.batting, &batting}, std::pair{&player.pitching, &pitching}}) {
            PlayerTotal total{key.id, key.name, {}, false, {}};
            for (const PlayerLine& line : *lines)
                if (line.line->statType == kRegular) addCounters(total.counters, line.line->counters);
            if (!total.counters.empty()) totals->push_back(std::move(total));
        }
    }
    PageData groups = list();
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
        PageData boxes = list();
        for (const Category& category : leaderCategories()) {
            if (category.kind != kind) continue;
            // The single-season minimums summed over the seasons.
            Counter minimum = 0;
            for (const SeasonPages& season : seasonPages_)
                minimum += minimumFor(category.qualifier, season.games);
            const std::vector<PlayerTotal>& totals = kind == StatKind::Batting ? batting : pitching;
            append(boxes, box(headingOf(category, minimum),
                              rankCandidates(categoryCandidates(category, totals, minimum),
                                             category.direction, kLeaderCount),
                              totals, category.shown, urls::career()));
        }
        PageData group;
        put(group, "heading", kind == StatKind::Batting ? "Batting" : "Pitching");
        put(group, "boxes", std::move(boxes));
        append(groups, std::move(group));
    }
    PageData page;
    put(page, "groups", std::move(groups));
    put(page, "first", seasons_.empty() ? "" : seasons_.front().label);
    put(page, "last", seasons_.empty() ? "" : seasons_.back().label);
    put(page, "count", std::to_string(seasons_.size()));
    return write(urls::career(), "Career leaders", "career", std::move(page));
}

std::string SiteBuilder::glossaryPage() {
    PageData terms = list();
    std::set<std::string> seen;
    for (auto columns : {battingColumns(), pitchingColumns(), fieldingColumns()})
        for (const StatColumn& column : columns) {
            if (!seen.insert(std::string(column.label) + "|" + std::string(column.meaning)).second) continue;
            PageData term;
            put(term, "abbreviation", std::string(column.label));
            put(term, "meaning", std::string(column.meaning));
            append(terms, std::move(term));
        }
    PageData page;
    put(page, "terms", std::move(terms));
    put(page, "rules",
        textList({
            "N, the games per team of a season, is the number given to the site, otherwise the highest team "
            "total of "
            "pitchers' games started in the season's Regular rows (one starter per team game). Playoff "
            "leaders use the "
            "most games started by a team in that playoff round.",
            "Batting rate titles (AVG, OBP, SLG, OBP+SLG) need PA = AB + BB + HBP + SH + SF + CI of at least "
            "3.1 × N, "
            "rounded to the nearest whole number (502 for N = 162).",
            "Pitching rate titles (ERA, OAVG, WHIP, K/9) need at least 3 × N outs (N innings).",
            "Fielding average at a position needs games there of at least 2/3 of N; for catchers 1/2 of N.",
            "Winning percentage needs at least N / 12 decisions (W + L), rounded up.",
            "Counting categories have no minimum.",
            "Players are ranked on exact values computed from the counters, not on the printed figures. For "
            "ERA, "
            "OAVG and WHIP lower is better. Players with the same value share a rank, shown as T-2, and are "
            "listed "
            "alphabetically; when players share the last place of a list, all of them are listed.",
            "A team's wins and losses are the sums of its pitchers' W and L in the Regular rows. Standings "
            "are ordered by "
            "winning percentage, then wins, then team name.",
            "Careers sum each player's counters over the seasons and recompute the rates from the sums; "
            "innings are "
            "summed as outs. Career minimums are the single-season minimums summed over the seasons of the "
            "site.",
            "A player is the same player in two seasons when both PlayerID and name match. A PlayerID that "
            "comes with another name is kept apart, as another player.",
            "PreSeason rows never count toward leaders or careers.",
            "A rate whose divisor is zero is shown as —.",
        }));
    return write(urls::glossary(), "Glossary", "glossary", std::move(page));
}

std::string SiteBuilder::styleSheet() {
    sink_.put(task_, urls::styleSheet(), templates_.text("site.css"));
    sink_.put(task_, urls::icon(), templates_.text("icon.svg"));
    return {};
}

} // namespace

std::string folderNameFor(const std::string& label) {
    std::string name;
    for (char c : label) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          c == '-' || c == '_' || c == '.';
        name += kept ? c : '-';
    }
    if (name.empty() || name.front() == '.') name.insert(0, "s");
    return name;
}

namespace {

SiteModel modelOf(const std::vector<SeasonData>& seasons, const SiteSettings& settings) {
    SiteModel model{seasons, settings, collectPlayers(seasons), {}};
    // Names the site's own files take are no season folders.
    std::set<std::string> folders;
    for (std::string& name : urls::reservedNames())
        folders.insert(std::move(name));
    for (const SeasonData& season : seasons) {
        SeasonPages pages{&season, folderNameFor(season.label), gamesPerTeam(season, settings.games), {}};
        for (int n = 2; !folders.insert(pages.folder).second; ++n)
            pages.folder = folderNameFor(season.label) + "-" + std::to_string(n);
        noteLeaders(pages);
        model.seasonPages.push_back(std::move(pages));
    }
    return model;
}

struct PageTask {
    std::function<std::string(SiteBuilder&)> make;
    bool large = false; // started first, so that no thread is left with one at the end
};

std::vector<PageTask> pageTasks(const SiteModel& model, std::vector<const Player*>& players) {
    std::vector<PageTask> tasks = {{[](SiteBuilder& builder) { return builder.indexPage(); }}};
    for (const SeasonPages& season : model.seasonPages) {
        tasks.push_back({[&season](SiteBuilder& builder) { return builder.leaderPages(season); }, true});
        tasks.push_back({[&season](SiteBuilder& builder) { return builder.statPages(season); }, true});
        tasks.push_back({[&season](SiteBuilder& builder) { return builder.teamPages(season); }, true});
    }
    for (const auto& [key, player] : model.players.byKey)
        players.push_back(&player);
    constexpr std::size_t kPlayersPerTask = 200;
    for (std::size_t first = 0; first < players.size(); first += kPlayersPerTask) {
        const std::span<const Player* const> some(players.data() + first,
                                                  std::min(kPlayersPerTask, players.size() - first));
        tasks.push_back({[some](SiteBuilder& builder) { return builder.playerPages(some); }});
    }
    tasks.push_back({[](SiteBuilder& builder) {
        std::string reason = builder.playersIndex();
        if (reason.empty()) reason = builder.careerPage();
        if (reason.empty()) reason = builder.glossaryPage();
        if (reason.empty()) reason = builder.styleSheet();
        return reason;
    }});
    return tasks;
}

} // namespace

std::string buildSite(const std::vector<SeasonData>& seasons, const SiteSettings& settings,
                      const SiteTemplates& templates, PageSink& sink) {
    const SiteModel model = modelOf(seasons, settings);
    std::vector<const Player*> players;
    const std::vector<PageTask> tasks = pageTasks(model, players);
    sink.begin(tasks.size());
    std::vector<std::size_t> startOrder(tasks.size());
    std::iota(startOrder.begin(), startOrder.end(), 0);
    std::stable_partition(startOrder.begin(), startOrder.end(),
                          [&tasks](std::size_t task) { return tasks[task].large; });
    std::vector<std::string> reasons(tasks.size());
    forEachInParallel(
        tasks.size(),
        // Parsed templates are not shared between threads.
        [&templates] { return std::make_unique<SiteTemplates>(templates); },
        [&](std::unique_ptr<SiteTemplates>& own, std::size_t index) {
            const std::size_t task = startOrder[index];
            SiteBuilder builder(model, *own, sink, task);
            reasons[task] = tasks[task].make(builder);
        });
    for (const std::string& reason : reasons)
        if (!reason.empty()) return reason;
    return {};
}

} // namespace boxloom::site
