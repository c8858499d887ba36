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

// The splits of a season by player, team and stat type, in row order: a player
// can have two rows of one team and stat type, and the n-th split row belongs to
// the n-th of them. Read on their own and matched here: joined in SQL, such
// rows would be multiplied, and the planner walks a whole team per row.
using SplitKey = std::tuple<std::int64_t, std::int64_t, std::string>;
using SplitsByLine = std::map<SplitKey, std::deque<std::array<Counters, 2>>>;

// The next split row of a line's key, or none.
std::optional<std::array<Counters, 2>> takeSplits(SplitsByLine& splits, const SplitKey& key) {
    const auto found = splits.find(key);
    if (found == splits.end() || found->second.empty()) return std::nullopt;
    std::array<Counters, 2> sides = std::move(found->second.front());
    found->second.pop_front();
    return sides;
}

SplitKey keyOf(const StatLine& line) { return {line.playerId, line.teamId, line.statType}; }

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

// A season's rows of a statistics table, in the order they were imported: the
// columns every row has, then `columns`.
template <typename Take>
std::string readLines(database::Connection& db, const char* table, const std::string& columns,
                      const std::string& label, Take&& take) {
    database::Statement query(db, std::string("SELECT ") + kLineColumns + columns + " FROM \"" + table +
                                      "\" r WHERE r.\"Season\" = ? ORDER BY r.rowid");
    query.bindText(1, label);
    return eachRow(db, query, std::forward<Take>(take));
}

std::string readSplits(database::Connection& db, const char* table, const std::string& label,
                       SplitsByLine& splits) {
    database::Statement query(db, std::string("SELECT \"PlayerID\", \"TeamID\", \"StatType\"") +
                                      selectList(kSplitColumns, "", "vL") +
                                      selectList(kSplitColumns, "", "vR") + " FROM \"" + table +
                                      "\" WHERE \"Season\" = ? ORDER BY rowid");
    query.bindText(1, label);
    return eachRow(db, query, [&](const database::Statement& row) {
        splits[{row.integerColumn(0), row.integerColumn(1), row.textColumn(2)}].push_back(
            {countersAt(row, 3, split::Count), countersAt(row, 3 + split::Count, split::Count)});
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

std::string LeagueReader::load(const std::string& label, SeasonData& season) {
    season = SeasonData{};
    season.label = label;
    database::Statement teams(db_,
                              "SELECT \"TeamID\", \"City\", \"Nickname\", \"Abbreviation\" FROM \"Teams\" "
                              "WHERE \"Season\" = ? ORDER BY \"TeamID\"");
    teams.bindText(1, label);
    std::string reason = eachRow(db_, teams, [&](const database::Statement& row) {
        season.teams.push_back(
            {row.integerColumn(0), row.textColumn(1), row.textColumn(2), row.textColumn(3)});
    });

    SplitsByLine splits;
    if (reason.empty()) reason = readSplits(db_, "Batting_Splits", label, splits);
    if (reason.empty())
        reason =
            readLines(db_, "Batting_Stats", selectList(kBattingColumns, "r."), label, [&](const auto& row) {
                StatLine line = lineOf(row);
                line.counters = countersAt(row, 5, bat::Count);
                line.splits = {Counters(split::Count), Counters(split::Count)};
                if (auto sides = takeSplits(splits, keyOf(line))) line.splits = std::move(*sides);
                noteStatType(season, line.statType);
                season.batting.push_back(std::move(line));
            });

    splits.clear();
    if (reason.empty()) reason = readSplits(db_, "Pitching_Splits", label, splits);
    if (reason.empty())
        reason =
            readLines(db_, "Pitching_Stats", selectList(kPitchingColumns, "r."), label, [&](const auto& row) {
                StatLine line = lineOf(row);
                line.counters = countersAt(row, 5, pit::AB);
                // The opponents' at-bats: against left- and right-handed batters.
                const auto sides = takeSplits(splits, keyOf(line));
                line.counters.push_back(sides ? (*sides)[0][split::AB] + (*sides)[1][split::AB] : 0);
                noteStatType(season, line.statType);
                season.pitching.push_back(std::move(line));
            });

    if (reason.empty())
        reason = readLines(db_, "Fielding_Stats", ", r.\"Pos\"" + selectList(kFieldingColumns, "r."), label,
                           [&](const auto& row) {
                               StatLine line = lineOf(row);
                               line.position = row.textColumn(5);
                               line.counters = countersAt(row, 6, fld::Count);
                               season.fielding.push_back(std::move(line));
                           });
    return reason;
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
