#include "league_reader.h"

#include "league_schema.h"

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <tuple>

namespace boxloom::site {

namespace {

std::string selectList(std::span<const std::string_view> columns, const std::string& prefix,
                       const std::string& suffix = "") {
    std::string sql;
    for (std::string_view column : columns)
        sql += ", COALESCE(" + prefix + "\"" + std::string(column) + suffix + "\", 0)";
    return sql;
}

// Runs a query to its end, handing each row to `take`; the reason it failed, or "".
template <typename Take>
std::string eachRow(database::Connection& db, database::Statement& query, Take&& take) {
    if (!query.ok()) return db.reason();
    while (query.step()) {
        if (!query.hasRow()) return {};
        take(query);
    }
    return db.reason();
}

using SplitKey = std::tuple<std::int64_t, std::int64_t, std::string>;

struct SplitRow {
    SplitKey key; // player, team, stat type
    std::array<Counters, 2> sides;
};

SplitKey keyOf(const StatLine& line) { return {line.playerId, line.teamId, line.statType}; }

// Hands each line its split row, or none: a player can have two rows of one
// team and stat type, and the n-th split row of a key belongs to the n-th line
// of it. Matched here rather than joined in SQL, where such rows would be
// multiplied.
template <typename Give>
void matchSplits(const std::vector<StatLine>& lines, const std::vector<SplitRow>& splits, Give give) {
    // Both tables are written in the same order, so the rows usually pair one to one.
    bool paired = lines.size() == splits.size();
    for (std::size_t i = 0; paired && i < lines.size(); ++i)
        paired = keyOf(lines[i]) == splits[i].key;
    if (paired) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            give(i, &splits[i]);
        return;
    }
    std::map<SplitKey, std::deque<const SplitRow*>> byKey;
    for (const SplitRow& split : splits)
        byKey[split.key].push_back(&split);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto found = byKey.find(keyOf(lines[i]));
        if (found == byKey.end() || found->second.empty()) {
            give(i, nullptr);
            continue;
        }
        give(i, found->second.front());
        found->second.pop_front();
    }
}

constexpr const char* kLineColumns = "r.\"PlayerID\", r.\"Player\", r.\"TeamID\", r.\"Team\", r.\"StatType\"";

Counters countersAt(const database::Statement& row, int first, std::size_t count) {
    Counters counters(count);
    for (std::size_t i = 0; i < count; ++i)
        counters[i] = row.integerColumn(first + static_cast<int>(i));
    return counters;
}

StatLine lineOf(const database::Statement& row) {
    StatLine line;
    line.hasPlayer = !row.isNull(0);
    line.playerId = row.integerColumn(0);
    line.player = row.textColumn(1);
    line.teamId = row.integerColumn(2);
    line.team = row.textColumn(3);
    line.statType = row.textColumn(4);
    return line;
}

void noteStatType(SeasonData& season, const std::string& statType) {
    if (std::find(season.statTypes.begin(), season.statTypes.end(), statType) == season.statTypes.end())
        season.statTypes.push_back(statType);
}

// A season's rows of a table in the order they were imported, each made into
// a `Row` and appended. A season's rows lie together, so they are read by rowid
// from its first to its last: through the season's index they would come in
// another order, each looked up and then sorted.
template <typename Row, typename Make>
std::string readSeasonRows(database::Connection& db, const char* table, const std::string& columns,
                           const std::string& label, std::vector<Row>& rows, Make make) {
    const std::string name = std::string("\"") + table + "\"";
    database::Statement range(db, "SELECT min(rowid), max(rowid), count(*) FROM " + name +
                                      " WHERE \"Season\" = ?");
    range.bindText(1, label);
    if (!range.ok() || !range.step() || !range.hasRow()) return db.reason();
    // Rows are large: made room for at once, not moved on every growth.
    rows.reserve(rows.size() + static_cast<std::size_t>(range.integerColumn(2)));
    database::Statement query(db, "SELECT " + columns + " FROM " + name +
                                      " r NOT INDEXED WHERE r.rowid BETWEEN ? AND ? AND r.\"Season\" = ? "
                                      "ORDER BY r.rowid");
    query.bindInteger(1, range.integerColumn(0));
    query.bindInteger(2, range.integerColumn(1));
    query.bindText(3, label);
    return eachRow(db, query, [&](const database::Statement& row) { rows.push_back(make(row)); });
}

// The lines of a statistics table: the columns every row has, then `columns`.
std::string readLines(database::Connection& db, const char* table, const std::string& columns,
                      const std::string& label, std::size_t counters, std::vector<StatLine>& lines) {
    return readSeasonRows(db, table, kLineColumns + columns, label, lines,
                          [&](const database::Statement& row) {
                              StatLine line = lineOf(row);
                              line.counters = countersAt(row, 5, counters);
                              return line;
                          });
}

std::string readSplits(database::Connection& db, const char* table, const std::string& label,
                       std::vector<SplitRow>& splits) {
    return readSeasonRows(db, table,
                          "r.\"PlayerID\", r.\"TeamID\", r.\"StatType\"" +
                              selectList(kSplitColumns, "r.", "vL") + selectList(kSplitColumns, "r.", "vR"),
                          label, splits, [](const database::Statement& row) {
                              return SplitRow{{row.integerColumn(0), row.integerColumn(1), row.textColumn(2)},
                                              {countersAt(row, 3, split::Count),
                                               countersAt(row, 3 + split::Count, split::Count)}};
                          });
}

std::string readTeams(database::Connection& db, const std::string& label, std::vector<Team>& teams) {
    database::Statement query(db,
                              "SELECT \"TeamID\", \"City\", \"Nickname\", \"Abbreviation\" FROM \"Teams\" "
                              "WHERE \"Season\" = ? ORDER BY \"TeamID\"");
    query.bindText(1, label);
    return eachRow(db, query, [&](const database::Statement& row) {
        teams.push_back({row.integerColumn(0), row.textColumn(1), row.textColumn(2), row.textColumn(3)});
    });
}

// A statistics table's lines and, matched to them, its splits table's rows.
template <typename Give>
std::string readLinesWithSplits(database::Connection& db, const char* table, const char* splitsTable,
                                const std::string& columns, std::size_t counters, const std::string& label,
                                std::vector<StatLine>& lines, Give give) {
    std::vector<SplitRow> splits;
    std::string reason = readSplits(db, splitsTable, label, splits);
    if (reason.empty()) reason = readLines(db, table, columns, label, counters, lines);
    if (reason.empty()) matchSplits(lines, splits, give);
    return reason;
}

std::string readBatting(database::Connection& db, const std::string& label, std::vector<StatLine>& lines) {
    return readLinesWithSplits(db, "Batting_Stats", "Batting_Splits", selectList(kBattingColumns, "r."),
                               bat::Count, label, lines, [&](std::size_t i, const SplitRow* split) {
                                   lines[i].splits = split != nullptr
                                                         ? split->sides
                                                         : std::array<Counters, 2>{Counters(split::Count),
                                                                                   Counters(split::Count)};
                               });
}

std::string readPitching(database::Connection& db, const std::string& label, std::vector<StatLine>& lines) {
    // The opponents' at-bats: against left- and right-handed batters.
    return readLinesWithSplits(
        db, "Pitching_Stats", "Pitching_Splits", selectList(kPitchingColumns, "r."), pit::AB, label, lines,
        [&](std::size_t i, const SplitRow* split) {
            lines[i].counters.push_back(
                split != nullptr ? split->sides[0][split::AB] + split->sides[1][split::AB] : 0);
        });
}

std::string readFielding(database::Connection& db, const std::string& label, std::vector<StatLine>& lines) {
    return readSeasonRows(db, "Fielding_Stats",
                          kLineColumns + (", r.\"Pos\"" + selectList(kFieldingColumns, "r.")), label, lines,
                          [](const database::Statement& row) {
                              StatLine line = lineOf(row);
                              line.position = row.textColumn(5);
                              line.counters = countersAt(row, 6, fld::Count);
                              return line;
                          });
}

} // namespace

std::string LeagueReader::open(const std::string& path) {
    if (std::string reason = db_.open(path, database::OpenMode::ReadOnly); !reason.empty()) return reason;
    if (!database::holdsLeagueSchema(db_)) return "not a Boxloom database";
    return {};
}

std::vector<std::string> LeagueReader::seasons() {
    std::vector<std::string> labels;
    database::Statement query(db_, "SELECT \"Season\" FROM \"Seasons\" ORDER BY \"Season\"");
    eachRow(db_, query, [&](const database::Statement& row) { labels.push_back(row.textColumn(0)); });
    return labels;
}

std::string LeagueReader::load(const std::string& label, SeasonPart part, SeasonData& season) {
    switch (part) {
    case SeasonPart::Teams: return readTeams(db_, label, season.teams);
    case SeasonPart::Batting: return readBatting(db_, label, season.batting);
    case SeasonPart::Pitching: return readPitching(db_, label, season.pitching);
    case SeasonPart::Fielding: return readFielding(db_, label, season.fielding);
    }
    return {};
}

std::string LeagueReader::load(const std::string& label, SeasonData& season) {
    season = SeasonData{};
    season.label = label;
    for (SeasonPart part : kSeasonParts)
        if (std::string reason = load(label, part, season); !reason.empty()) return reason;
    completeSeason(season);
    return {};
}

void completeSeason(SeasonData& season) {
    season.statTypes.clear();
    for (const auto* lines : {&season.batting, &season.pitching})
        for (const StatLine& line : *lines)
            noteStatType(season, line.statType);
}

std::string displayName(std::string_view rowName) {
    const std::size_t comma = rowName.find(',');
    if (comma == std::string_view::npos) return std::string(rowName);
    std::string_view first = rowName.substr(comma + 1);
    while (!first.empty() && first.front() == ' ')
        first.remove_prefix(1);
    if (first.empty()) return std::string(rowName.substr(0, comma));
    return std::string(first) + " " + std::string(rowName.substr(0, comma));
}

} // namespace boxloom::site
