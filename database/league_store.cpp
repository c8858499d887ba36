#include "league_store.h"

#include "season_files.h"

#include "league_schema.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <limits>
#include <map>
#include <span>
#include <stdexcept>
#include <tuple>

namespace boxloom::database {

namespace {

std::string selectList(std::span<const std::string> columns) {
    std::string sql;
    for (const std::string& column : columns)
        sql += ", COALESCE(r.\"" + column + "\", 0)";
    return sql;
}

// A table's counters as the store's rows hold them: as many as `count` says.
std::vector<std::string> countersOf(ExportFileKind kind, std::size_t count) {
    std::vector<std::string> names = describeTable(kind).counters;
    if (names.size() != count) throw std::logic_error("the store's counters are not the table's");
    return names;
}

// The whole numbers an export writes: a record's counters and numbers are
// 16-bit words; a grouped row (no player) sums them into 32 bits.
struct Range {
    std::int64_t low;
    std::int64_t high;
};
constexpr Range kWord{std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()};
constexpr Range kSum{std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};

// One row of a query as typed values: every number is checked, and the first
// one that an export could not have written names its table, season and row.
class TypedRow {
public:
    TypedRow(const Statement& row, const char* table, const std::string& label, std::uint64_t number,
             std::string& reason)
        : row_(row), table_(table), label_(label), number_(number), reason_(reason) {}

    Counter number(int column, std::string_view name, Range range) {
        if (!reason_.empty()) return 0;
        if (!row_.isInteger(column)) {
            fail(std::string(name) + " holds \"" + row_.textColumn(column) + "\" where a number belongs");
            return 0;
        }
        const std::int64_t value = row_.integerColumn(column);
        if (value < range.low || value > range.high)
            fail(std::string(name) + " is " + std::to_string(value) + ", outside what an export can hold");
        return reason_.empty() ? value : 0;
    }
    Counters counters(std::size_t first, std::span<const std::string> names, Range range) {
        Counters values(names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            values[i] = number(static_cast<int>(first + i), names[i], range);
        return values;
    }
    std::string text(int column) const { return row_.textColumn(column); }
    bool isNull(int column) const { return row_.isNull(column); }

private:
    void fail(const std::string& what) {
        reason_ =
            std::string(table_) + ", season " + label_ + ", row " + std::to_string(number_) + ": " + what;
    }

    const Statement& row_;
    const char* table_;
    const std::string& label_;
    std::uint64_t number_;
    std::string& reason_;
};

// Runs a query to its end, handing each row to `take`, until a value fails;
// the reason it failed, or "".
template <typename Take>
std::string eachTypedRow(Connection& db, Statement& query, const char* table, const std::string& label,
                         Take take) {
    if (!query.ok()) return db.reason();
    std::string reason;
    for (std::uint64_t number = 1; reason.empty(); ++number) {
        if (!query.step()) return db.reason();
        if (!query.hasRow()) break;
        TypedRow row(query, table, label, number, reason);
        take(row);
    }
    return reason;
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
constexpr int kFirstCounter = 5;

// The columns every statistics row opens with; its counters are words when it
// has a player, sums when it groups a team's pitchers.
StatLine lineOf(TypedRow& row, Range& counters) {
    StatLine line;
    line.hasPlayer = !row.isNull(0);
    line.playerId = line.hasPlayer ? row.number(0, "PlayerID", kWord) : 0;
    line.player = row.text(1);
    line.teamId = row.number(2, "TeamID", kWord);
    line.team = row.text(3);
    line.statType = row.text(4);
    counters = line.hasPlayer ? kWord : kSum;
    return line;
}

void noteStatType(SeasonData& season, const std::string& statType) {
    if (std::find(season.statTypes.begin(), season.statTypes.end(), statType) == season.statTypes.end())
        season.statTypes.push_back(statType);
}

// A season's rows of a table in the order they were imported, each made into
// a `Row` and appended; the reason it failed, or "". A season's rows lie
// together, so they are read by rowid from its first to its last: through the
// season's index they would come in another order, each looked up and then sorted.
template <typename Row, typename Make>
std::string readSeasonRows(Connection& db, const char* table, const std::string& columns,
                           const std::string& label, std::vector<Row>& rows, Make make) {
    const std::string name = std::string("\"") + table + "\"";
    Statement range(db, "SELECT min(rowid), max(rowid), count(*) FROM " + name + " WHERE \"Season\" = ?");
    range.bindText(1, label);
    if (!range.ok() || !range.step() || !range.hasRow()) return db.reason();
    // Rows are large: made room for at once, not moved on every growth.
    rows.reserve(rows.size() + static_cast<std::size_t>(range.integerColumn(2)));
    Statement query(db, "SELECT " + columns + " FROM " + name +
                            " r NOT INDEXED WHERE r.rowid BETWEEN ? AND ? AND r.\"Season\" = ? "
                            "ORDER BY r.rowid");
    query.bindInteger(1, range.integerColumn(0));
    query.bindInteger(2, range.integerColumn(1));
    query.bindText(3, label);
    return eachTypedRow(db, query, table, label, [&](TypedRow& row) { rows.push_back(make(row)); });
}

std::string readLines(Connection& db, ExportFileKind kind, std::size_t count, const std::string& label,
                      std::vector<StatLine>& lines) {
    const std::vector<std::string> columns = countersOf(kind, count);
    return readSeasonRows(db, describeTable(kind).name.c_str(), kLineColumns + selectList(columns), label,
                          lines, [&](TypedRow& row) {
                              Range range{};
                              StatLine line = lineOf(row, range);
                              line.counters = row.counters(kFirstCounter, columns, range);
                              return line;
                          });
}

std::string readSplits(Connection& db, ExportFileKind kind, const std::string& label,
                       std::vector<SplitRow>& splits) {
    const std::vector<std::string> columns = countersOf(kind, 2 * split::Count);
    const std::span<const std::string> left(columns.data(), split::Count);
    const std::span<const std::string> right(columns.data() + split::Count, split::Count);
    return readSeasonRows(
        db, describeTable(kind).name.c_str(),
        "r.\"PlayerID\", r.\"TeamID\", r.\"StatType\"" + selectList(columns), label, splits,
        [&](TypedRow& row) {
            const Range range = row.isNull(0) ? kSum : kWord;
            return SplitRow{{row.isNull(0) ? 0 : row.number(0, "PlayerID", kWord),
                             row.number(1, "TeamID", kWord), row.text(2)},
                            {row.counters(3, left, range), row.counters(3 + split::Count, right, range)}};
        });
}

std::string readTeams(Connection& db, const std::string& label, std::vector<Team>& teams) {
    Statement query(db, "SELECT \"TeamID\", \"City\", \"Nickname\", \"Abbreviation\" FROM \"Teams\" "
                        "WHERE \"Season\" = ? ORDER BY \"TeamID\"");
    query.bindText(1, label);
    return eachTypedRow(db, query, "Teams", label, [&](TypedRow& row) {
        teams.push_back({row.number(0, "TeamID", kWord), row.text(1), row.text(2), row.text(3)});
    });
}

std::string readPitchers(Connection& db, const std::string& label, std::vector<std::int64_t>& pitchers) {
    Statement query(db, "SELECT \"PlayerID\" FROM \"Players\" WHERE \"Season\" = ? AND \"Kind\" = 2 "
                        "ORDER BY \"PlayerID\"");
    query.bindText(1, label);
    return eachTypedRow(db, query, "Players", label,
                        [&](TypedRow& row) { pitchers.push_back(row.number(0, "PlayerID", kWord)); });
}

// A statistics table's lines and, matched to them, its splits table's rows.
template <typename Give>
std::string readLinesWithSplits(Connection& db, ExportFileKind kind, ExportFileKind splitsKind,
                                std::size_t count, const std::string& label, std::vector<StatLine>& lines,
                                Give give) {
    std::vector<SplitRow> splits;
    std::string reason = readSplits(db, splitsKind, label, splits);
    if (reason.empty()) reason = readLines(db, kind, count, label, lines);
    if (reason.empty()) matchSplits(lines, splits, give);
    return reason;
}

std::string readBatting(Connection& db, const std::string& label, std::vector<StatLine>& lines) {
    return readLinesWithSplits(db, ExportFileKind::BattingStats, ExportFileKind::BattingSplits, bat::Count,
                               label, lines, [&](std::size_t i, const SplitRow* split) {
                                   lines[i].splits = split != nullptr
                                                         ? split->sides
                                                         : std::array<Counters, 2>{Counters(split::Count),
                                                                                   Counters(split::Count)};
                               });
}

std::string readPitching(Connection& db, const std::string& label, std::vector<StatLine>& lines) {
    return readLinesWithSplits(
        db, ExportFileKind::PitchingStats, ExportFileKind::PitchingSplits, pit::AB, label, lines,
        [&](std::size_t i, const SplitRow* split) {
            for (std::size_t counter : {split::AB, split::HR, split::HBP})
                lines[i].counters.push_back(
                    split != nullptr ? split->sides[0][counter] + split->sides[1][counter] : 0);
        });
}

std::string readFielding(Connection& db, const std::string& label, std::vector<StatLine>& lines) {
    const std::vector<std::string> columns = countersOf(ExportFileKind::FieldingStats, fld::Count);
    return readSeasonRows(db, "Fielding_Stats", kLineColumns + (", r.\"Pos\"" + selectList(columns)), label,
                          lines, [&](TypedRow& row) {
                              Range range{};
                              StatLine line = lineOf(row, range);
                              line.position = row.text(kFirstCounter);
                              line.counters = row.counters(kFirstCounter + 1, columns, range);
                              return line;
                          });
}

// An import killed in its transaction leaves its journal, which the next
// writer rolls back; a reader cannot, so it is done here, as that writer.
std::string rollBackInterruptedImport(const std::string& path) {
    Connection writer;
    std::string reason = writer.open(path);
    if (reason.empty()) reason = writer.execute("SELECT count(*) FROM sqlite_master");
    return reason.empty() ? reason
                          : "an import into it was interrupted, and it cannot be rolled back: " + reason;
}

} // namespace

namespace {

// The schema, then labels no season can be read by: one holding a NUL byte
// (only another program could have written it) matches no row of its own.
std::string storeProblem(Connection& db) {
    if (std::string problem = schemaProblem(db); !problem.empty()) return problem;
    Statement labels(db, "SELECT rowid, \"Season\" FROM \"Seasons\"");
    while (labels.ok() && labels.step() && labels.hasRow())
        if (labels.textColumn(1).find('\0') != std::string::npos)
            return "table Seasons, row " + std::to_string(labels.integerColumn(0)) +
                   ": a season label holding a NUL byte";
    return {};
}

} // namespace

std::string LeagueStore::open(const std::string& path) {
    if (std::string reason = db_.open(path, OpenMode::ReadOnly); !reason.empty()) return reason;
    std::string problem = storeProblem(db_);
    if (!db_.foundInterruptedWrite()) return problem;
    db_.close();
    if (std::string reason = rollBackInterruptedImport(path); !reason.empty()) return reason;
    if (std::string reason = db_.open(path, OpenMode::ReadOnly); !reason.empty()) return reason;
    return storeProblem(db_);
}

std::string LeagueStore::openBytes(std::string_view bytes) {
    if (std::string reason = db_.openBytes(bytes); !reason.empty()) return reason;
    return storeProblem(db_);
}

std::vector<std::string> LeagueStore::seasons() {
    std::vector<std::string> labels;
    Statement query(db_, "SELECT \"Season\" FROM \"Seasons\" ORDER BY \"Season\"");
    while (query.ok() && query.step() && query.hasRow())
        labels.push_back(query.textColumn(0));
    return labels;
}

std::string LeagueStore::summaries(std::vector<SeasonSummary>& list) {
    return readSeasonSummaries(db_, list);
}

std::string LeagueStore::load(const std::string& label, SeasonPart part, SeasonData& season) {
    switch (part) {
    case SeasonPart::Teams: return readTeams(db_, label, season.teams);
    case SeasonPart::Batting: return readBatting(db_, label, season.batting);
    case SeasonPart::Pitching: return readPitching(db_, label, season.pitching);
    case SeasonPart::Fielding: return readFielding(db_, label, season.fielding);
    case SeasonPart::Players: return readPitchers(db_, label, season.pitchers);
    }
    return {};
}

std::string LeagueStore::exportFile(const std::string& label, ExportFileKind kind, std::string& bytes) {
    return seasonFileBytes(db_, label, kind, bytes);
}

void completeSeason(SeasonData& season) {
    season.statTypes.clear();
    for (const auto* lines : {&season.batting, &season.pitching})
        for (const StatLine& line : *lines)
            noteStatType(season, line.statType);
}

} // namespace boxloom::database
