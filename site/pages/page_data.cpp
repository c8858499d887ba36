#include "page_data.h"

#include "exact_ratios.h"
#include "site_templates.h"
#include "template_data.h"
#include "urls.h"

#include <algorithm>
#include <charconv>

namespace boxloom::site::pages {

namespace {

PageData list() { return PageData{PageData::type::list}; }

PageData tableData(const TableMarkup& table) {
    PageData data;
    put(data, "heading", table.heading);
    put(data, "id", table.id);
    put(data, "headers", table.headers);
    put(data, "rows", table.rows);
    if (table.isLong) put(data, "long", PageData(true));
    if (table.leadingText > 0) put(data, "leadingText", std::to_string(table.leadingText));
    if (!table.qualifiedToggle.empty()) put(data, "qualifiedToggle", table.qualifiedToggle);
    if (!table.laterRows.empty()) put(data, "laterRows", table.laterRows);
    return data;
}

PageData tablesData(const std::vector<StatTable>& tables) {
    PageData all = list();
    for (const TableMarkup& table : tablesMarkup(tables))
        append(all, tableData(table));
    return all;
}

PageData boxesData(const LeaderBoxes& boxes) {
    PageData all = list();
    for (const LeaderBox& box : boxes) {
        PageData entries = list();
        for (const LeaderEntry& entry : box.entries) {
            PageData item;
            put(item, "rank", entry.rank);
            put(item, "name", entry.name);
            put(item, "link", entry.link);
            put(item, "team", entry.team);
            put(item, "value", entry.value);
            append(entries, std::move(item));
        }
        PageData data;
        put(data, "key", box.key);
        put(data, "title", box.title);
        if (!box.minimum.empty()) put(data, "minimum", box.minimum);
        put(data, "entries", std::move(entries));
        append(all, std::move(data));
    }
    return all;
}

PageData groupsData(const LeaderGroups& groups) {
    PageData all = list();
    for (const LeaderGroup& group : groups) {
        PageData item;
        put(item, "heading", group.heading);
        put(item, "boxes", boxesData(group.boxes));
        append(all, std::move(item));
    }
    return all;
}

PageData linksData(const std::vector<NamedLink>& links) {
    PageData all = list();
    for (const NamedLink& link : links) {
        PageData item;
        put(item, "name", link.name);
        put(item, "link", link.link);
        append(all, std::move(item));
    }
    return all;
}

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

struct ChartFrame {
    static constexpr double kWidth = 480, kHeight = 160, kLeft = 48, kRight = 16, kTop = 16, kBottom = 124;
    double low = 0, high = 0;
    double y(double value) const {
        const double span = high > low ? high - low : 1.0;
        return kTop + (kBottom - kTop) * (high - value) / span;
    }
};

// The value axis: the chart's highest and lowest values and the one between,
// or the single value of a flat line.
PageData chartTicks(const ChartFrame& frame, Shown shown) {
    std::vector<double> values = {frame.high};
    if (frame.high > frame.low) values = {frame.high, (frame.high + frame.low) / 2, frame.low};
    PageData ticks = list();
    for (const double value : values) {
        PageData tick;
        put(tick, "y", coordinate(frame.y(value)));
        put(tick, "value", formatValue(approximateRatio(value), shown));
        append(ticks, std::move(tick));
    }
    return ticks;
}

// A chart of one rate by season, as the data of the player template.
PageData rateChart(const std::string& label, const std::vector<std::pair<std::string, Ratio>>& points,
                   Shown shown) {
    std::vector<std::pair<std::string, Ratio>> defined;
    for (const auto& point : points)
        if (point.second.defined()) defined.push_back(point);
    if (defined.size() < 2) return PageData(false);
    ChartFrame frame;
    frame.low = frame.high = defined.front().second.value();
    for (const auto& [season, value] : defined) {
        frame.low = std::min(frame.low, value.value());
        frame.high = std::max(frame.high, value.value());
    }
    PageData dots = list();
    std::string polyline;
    for (std::size_t i = 0; i < defined.size(); ++i) {
        const double x = ChartFrame::kLeft + (ChartFrame::kWidth - ChartFrame::kLeft - ChartFrame::kRight) *
                                                 static_cast<double>(i) /
                                                 static_cast<double>(defined.size() - 1);
        const double y = frame.y(defined[i].second.value());
        polyline += (i == 0 ? "" : " ") + coordinate(x) + "," + coordinate(y);
        PageData dot;
        put(dot, "x", coordinate(x));
        put(dot, "y", coordinate(y));
        put(dot, "labelY", coordinate(ChartFrame::kHeight - 4));
        put(dot, "season", defined[i].first);
        put(dot, "value", formatValue(defined[i].second, shown));
        append(dots, std::move(dot));
    }
    PageData chart;
    put(chart, "label", label);
    put(chart, "width", coordinate(ChartFrame::kWidth));
    put(chart, "height", coordinate(ChartFrame::kHeight));
    put(chart, "axisX", coordinate(ChartFrame::kLeft - 8));
    put(chart, "labelX", coordinate(ChartFrame::kLeft - 12));
    put(chart, "right", coordinate(ChartFrame::kWidth - ChartFrame::kRight));
    put(chart, "top", coordinate(ChartFrame::kTop));
    put(chart, "bottom", coordinate(ChartFrame::kBottom));
    put(chart, "ticks", chartTicks(frame, shown));
    put(chart, "points", polyline);
    put(chart, "dots", std::move(dots));
    return chart;
}

PageData pageData(const FrontPage& page) {
    PageData data;
    PageData seasons = list();
    for (const SeasonLinks& season : page.seasons) {
        PageData item;
        put(item, "label", season.label);
        put(item, "leaders", season.leaders);
        for (std::size_t i = 0; i < season.tables.size(); ++i)
            put(item, std::string(kSeasonTableNames[i]), season.tables[i]);
        append(seasons, std::move(item));
    }
    put(data, "seasons", std::move(seasons));
    put(data, "franchises", linksData(page.franchises));
    if (!page.database.empty()) put(data, "database", page.database);
    if (page.latest) {
        PageData section;
        put(section, "label", page.latest->label);
        put(section, "leaders", page.latest->leaders);
        if (page.latest->champion) {
            PageData champion;
            put(champion, "name", page.latest->champion->name);
            put(champion, "link", page.latest->champion->link);
            put(champion, "round", page.latest->finalRound);
            put(section, "champion", std::move(champion));
        }
        put(section, "standings", tableData(tableMarkup(page.latest->standings)));
        put(section, "boxes", boxesData(page.latest->boxes));
        put(data, "latest", std::move(section));
    }
    return data;
}

PageData pageData(const SeasonLeadersPage& page) {
    PageData data;
    put(data, "statType", page.statType);
    put(data, "games", std::to_string(page.games));
    put(data, "otherTypes", linksData(page.otherTypes));
    if (!page.downloads.empty()) {
        PageData downloads;
        put(downloads, "files", linksData(page.downloads));
        put(data, "downloads", std::move(downloads));
    }
    put(data, "groups", groupsData(page.groups));
    return data;
}

std::pair<PageData, std::string> pageData(const SeasonTablePage& page) {
    PageData tables = list();
    std::string laterRows;
    if (!page.table.rows.empty()) {
        SplitTable split = splitTableData(page.table, urls::relative(page.path, page.laterRowsPath));
        append(tables, tableData(split.table));
        laterRows = std::move(split.laterRowsScript);
    }
    PageData data;
    put(data, "description", page.description);
    put(data, "tables", std::move(tables));
    put(data, "anyOthers", !page.otherTypes.empty());
    put(data, "otherTypes", linksData(page.otherTypes));
    put(data, "leaders", page.leadersLink);
    return {std::move(data), std::move(laterRows)};
}

PageData pageData(const TeamPage& page) {
    PageData data;
    put(data, "season", page.season);
    put(data, "leaders", page.leadersLink);
    put(data, "franchise", page.franchiseLink);
    put(data, "record", page.record);
    put(data, "boxes", boxesData(page.boxes));
    put(data, "tables", tablesData(page.tables));
    return data;
}

PageData pageData(const FranchisePage& page) {
    PageData data;
    put(data, "seasons", tableData(tableMarkup(page.seasons)));
    put(data, "first", page.first);
    put(data, "last", page.last);
    put(data, "count", std::to_string(page.seasonCount));
    put(data, "boxes", boxesData(page.boxes));
    return data;
}

PageData pageData(const PlayerPage& page) {
    PageData tables = tablesData(page.tables);
    PageData data;
    put(data, "chart",
        page.pitcher ? rateChart("ERA", page.era, Shown::TwoDecimals)
                     : rateChart("OBP+SLG", page.ops, Shown::Average));
    put(data, "tables", std::move(tables));
    return data;
}

PageData pageData(const std::vector<IndexLetter>& letters) {
    PageData sections = list();
    for (const IndexLetter& letter : letters) {
        PageData entries = list();
        for (const IndexEntry& entry : letter.players) {
            PageData item;
            put(item, "name", entry.name);
            put(item, "link", entry.link);
            put(item, "seasons", entry.seasons);
            append(entries, std::move(item));
        }
        PageData section;
        put(section, "letter", letter.letter);
        put(section, "anchor", letter.anchor);
        put(section, "players", std::move(entries));
        append(sections, std::move(section));
    }
    PageData data;
    put(data, "letters", std::move(sections));
    return data;
}

PageData pageData(const CareerPage& page) {
    PageData data;
    put(data, "groups", groupsData(page.groups));
    put(data, "first", page.first);
    put(data, "last", page.last);
    put(data, "count", std::to_string(page.seasons));
    return data;
}

PageData pageData(const RecordsPage& page) {
    PageData progressions = list();
    for (const RecordProgression& progression : page.progressions) {
        PageData rows = list();
        for (const RecordAfterSeason& after : progression.seasons) {
            PageData holders = list();
            for (const RecordHolder& holder : after.holders) {
                PageData name;
                put(name, "separator", &holder == &after.holders.front() ? "" : ", ");
                put(name, "name", holder.name);
                put(name, "link", holder.link);
                put(name, "setIn", holder.setIn);
                append(holders, std::move(name));
            }
            PageData row;
            put(row, "season", after.season);
            put(row, "holders", std::move(holders));
            put(row, "value", after.value);
            append(rows, std::move(row));
        }
        PageData data;
        put(data, "key", progression.key);
        put(data, "title", progression.title);
        put(data, "rows", std::move(rows));
        append(progressions, std::move(data));
    }
    PageData data;
    put(data, "groups", groupsData(page.groups));
    put(data, "progressions", std::move(progressions));
    put(data, "count", std::to_string(page.seasons));
    return data;
}

PageData pageData(const GlossaryPage& page) {
    PageData terms = list();
    for (const GlossaryTerm& term : page.terms) {
        PageData item;
        put(item, "abbreviation", term.abbreviation);
        put(item, "meaning", term.meaning);
        append(terms, std::move(item));
    }
    PageData data;
    put(data, "terms", std::move(terms));
    put(data, "rules", textList(page.rules));
    return data;
}

PageData layoutData(const PageFrame& frame) {
    PageData layout;
    put(layout, "title", frame.title);
    put(layout, "league", frame.league);
    const std::string root = urls::rootOf(frame.path);
    put(layout, "root", root);
    put(layout, "styleSheet", root + urls::styleSheet());
    put(layout, "script", root + urls::pageScript());
    put(layout, "icon", root + urls::icon());
    put(layout, "searchIndex", root + urls::searchIndex());
    put(layout, "home", root + urls::index());
    put(layout, "playersIndex", root + urls::playersIndex());
    put(layout, "career", root + urls::career());
    put(layout, "records", root + urls::records());
    put(layout, "glossary", root + urls::glossary());
    put(layout, "version", frame.version);
    return layout;
}

} // namespace

template <class Page>
std::string renderPage(const SiteTemplates& templates, std::string_view name, const PageFrame& frame,
                       const Page& page, std::string& html) {
    return templates.renderPage(name, {pageData(page)}, {layoutData(frame)}, html);
}

template std::string renderPage(const SiteTemplates&, std::string_view, const PageFrame&, const FrontPage&,
                                std::string&);
template std::string renderPage(const SiteTemplates&, std::string_view, const PageFrame&,
                                const SeasonLeadersPage&, std::string&);
template std::string renderPage(const SiteTemplates&, std::string_view, const PageFrame&, const TeamPage&,
                                std::string&);
template std::string renderPage(const SiteTemplates&, std::string_view, const PageFrame&,
                                const FranchisePage&, std::string&);
template std::string renderPage(const SiteTemplates&, std::string_view, const PageFrame&, const PlayerPage&,
                                std::string&);
template std::string renderPage(const SiteTemplates&, std::string_view, const PageFrame&,
                                const std::vector<IndexLetter>&, std::string&);
template std::string renderPage(const SiteTemplates&, std::string_view, const PageFrame&, const CareerPage&,
                                std::string&);
template std::string renderPage(const SiteTemplates&, std::string_view, const PageFrame&, const RecordsPage&,
                                std::string&);
template std::string renderPage(const SiteTemplates&, std::string_view, const PageFrame&, const GlossaryPage&,
                                std::string&);

std::string renderPage(const SiteTemplates& templates, std::string_view name, const PageFrame& frame,
                       const SeasonTablePage& page, std::string& html, std::string& laterRows) {
    auto [data, script] = pageData(page);
    laterRows = std::move(script);
    return templates.renderPage(name, {std::move(data)}, {layoutData(frame)}, html);
}

} // namespace boxloom::site::pages
