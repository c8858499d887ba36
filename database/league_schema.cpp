#include "league_schema.h"

#include "column_tables.h"
#include "export_columns.h"
#include "league_data.h"
#include "rate_formulas.h" // after the columns: its Counter would shadow theirs
#include "sqlite_db.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace boxloom::database {

namespace {

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

const char* sqlType(Stored stored) {
    switch (stored) {
    case Stored::Season: return "TEXT NOT NULL";
    case Stored::Text:
    case Stored::InningsText: return "TEXT";
    case Stored::Rate: return "REAL";
    default: return "INTEGER";
    }
}

// The store keeps a table's games, counters and innings (as outs), in the
// order of its columns.
constexpr bool isStoredCounter(const Column& column) {
    return column.source == ColumnSource::Games || column.source == ColumnSource::Counter ||
           column.source == ColumnSource::Innings;
}

template <std::size_t N> constexpr std::size_t storedCounterCount(const std::array<Column, N>& columns) {
    return static_cast<std::size_t>(std::count_if(columns.begin(), columns.end(), isStoredCounter));
}

// Where the store keeps a column's counter; past the end when it keeps none.
template <std::size_t N>
constexpr std::size_t storedCounterIndex(const std::array<Column, N>& columns, std::string_view header) {
    std::size_t index = 0;
    for (const Column& column : columns) {
        if (!isStoredCounter(column)) continue;
        if (column.header == header) return index;
        ++index;
    }
    return N;
}

template <std::size_t N>
constexpr bool namesMatch(const std::array<Column, N>& columns,
                          std::initializer_list<std::pair<std::size_t, std::string_view>> names) {
    for (const auto& [index, header] : names)
        if (storedCounterIndex(columns, header) != index) return false;
    return true;
}

// The pages index counters by the names of league_data.h: they must be the columns'.
static_assert(storedCounterCount(columns::kBatting) == bat::Count);
static_assert(namesMatch(columns::kBatting, {{bat::G, "G"},
                                             {bat::AB, "AB"},
                                             {bat::R, "R"},
                                             {bat::RBI, "RBI"},
                                             {bat::H, "H"},
                                             {bat::B2, "2B"},
                                             {bat::B3, "3B"},
                                             {bat::HR, "HR"},
                                             {bat::HBP, "HBP"},
                                             {bat::SO, "SO"},
                                             {bat::W, "W"},
                                             {bat::IW, "IW"},
                                             {bat::SB, "SB"},
                                             {bat::CS, "CS"},
                                             {bat::GWRBI, "GWRBI"},
                                             {bat::SH, "SH"},
                                             {bat::SF, "SF"},
                                             {bat::GDP, "GDP"},
                                             {bat::CI, "CI"}}));
// The pitching rows' own counters; the opponents' AB, HR and HBP follow them.
static_assert(storedCounterCount(columns::kPitching) == pit::AB);
static_assert(namesMatch(columns::kPitching, {{pit::W, "W"},
                                              {pit::L, "L"},
                                              {pit::G, "G"},
                                              {pit::GS, "GS"},
                                              {pit::CG, "CG"},
                                              {pit::Outs, "IP"},
                                              {pit::R, "R"},
                                              {pit::ER, "ER"},
                                              {pit::H, "H"},
                                              {pit::BB, "BB"},
                                              {pit::SO, "SO"}}));
static_assert(storedCounterCount(columns::kFielding) == fld::Count);
static_assert(namesMatch(columns::kFielding,
                         {{fld::G, "G"}, {fld::GS, "GS"}, {fld::PO, "PO"}, {fld::A, "A"}, {fld::E, "E"}}));
static_assert(storedCounterCount(columns::kBattingSplits) == 2 * split::Count);

constexpr bool splitNamesMatch(std::initializer_list<std::pair<std::size_t, std::string_view>> names) {
    for (const auto& [index, stem] : names)
        if (columns::kSplitCounterStems[index] != stem) return false;
    return true;
}
static_assert(splitNamesMatch({{split::AB, "AB"},
                               {split::H, "H"},
                               {split::B2, "2B"},
                               {split::B3, "3B"},
                               {split::HR, "HR"},
                               {split::RBI, "RBI"},
                               {split::HBP, "HBP"},
                               {split::BB, "BB"},
                               {split::SO, "SO"},
                               {split::SH, "SH"},
                               {split::CI, "CI"},
                               {split::SF, "SF"},
                               {split::IW, "IW"}}));

Stored storedAs(const Column& column) {
    switch (column.source) {
    case ColumnSource::Year: return Stored::Year;
    case ColumnSource::Games:
    case ColumnSource::Counter:
    case ColumnSource::TeamId: return Stored::Counter;
    case ColumnSource::PlayerId: return Stored::OptionalId;
    case ColumnSource::Rate: return Stored::Rate;
    case ColumnSource::Innings: return Stored::InningsText;
    default: return Stored::Text;
    }
}

TableDescription describe(ExportFileKind kind) {
    TableDescription table{kind, std::string(exportFileStem(kind)), {{"Season", Stored::Season}}, {}, {}};
    table.name.pop_back(); // the dot before the suffix
    for (const Column& column : columnsOf(kind, true)) {
        table.columns.push_back({std::string(column.header), storedAs(column)});
        if (isStoredCounter(column))
            table.counters.emplace_back(column.source == ColumnSource::Innings ? "IPOuts" : column.header);
    }
    if (std::find(table.counters.begin(), table.counters.end(), "IPOuts") != table.counters.end())
        table.columns.push_back({"IPOuts", Stored::InningsOuts});
    table.indexKeys = {"PlayerID", "TeamID"};
    return table;
}

// A season-total view: a player's rows of a stat type summed over his teams,
// and its rates from the sums.
struct TotalsView {
    const char* name;
    ExportFileKind kind;
    const char* rowsSummed; // a condition, or nullptr for every row
    std::array<const RateFormula*, 3> rates;
};

constexpr TotalsView kTotalsViews[] = {
    {"Batting_Season_Totals",
     ExportFileKind::BattingStats,
     "\"PlayerID\" IS NOT NULL",
     {&rate::kBattingAverage, &rate::kOnBase, &rate::kSlugging}},
    {"Pitching_Season_Totals",
     ExportFileKind::PitchingStats,
     nullptr,
     {&rate::kEarnedRunAverage, &rate::kWinningPercentage}},
};

std::string sumSql(const CounterSum& sum, const TableDescription& table) {
    std::string sql;
    for (const Term& term : sum) {
        if (!sql.empty()) sql += " + ";
        if (term.weight != 1) sql += std::to_string(term.weight) + " * ";
        sql += "SUM(" + quoted(table.counters.at(term.counter)) + ")";
    }
    return sql;
}

// A rate of summed counters; 0 where the export's rate would be.
std::string rateSql(const RateFormula& formula, const TableDescription& table) {
    const std::string numerator = sumSql(formula.numerator, table);
    const std::string denominator = sumSql(formula.denominator, table);
    const std::string guard = formula.zeroUnlessNumeratorPositive ? "(" + numerator + ") > 0" : "1";
    return "CASE WHEN " + guard + " AND (" + denominator + ") > 0 THEN 1.0 * (" + numerator + ") / (" +
           denominator + ") ELSE 0 END AS " + quoted(std::string(formula.name));
}

// The view's keys, the sum of every counter of the table in the file's order
// (IP as the sum of its outs and those outs printed in thirds), then its rates.
std::string totalsViewSql(const TotalsView& view) {
    const TableDescription& table = describeTable(view.kind);
    std::string sql = "CREATE VIEW " + quoted(view.name) +
                      " AS\nSELECT \"Season\", \"PlayerID\", \"StatType\", "
                      "MIN(\"Player\") AS \"Player\", COUNT(*) AS \"Teams\"";
    for (const std::string& counter : table.counters) {
        sql += ",\n  SUM(" + quoted(counter) + ") AS " + quoted(counter);
        if (counter == "IPOuts")
            sql += ",\n  CASE WHEN SUM(\"IPOuts\") < 0 THEN '-' ELSE '' END || "
                   "(ABS(SUM(\"IPOuts\")) / 3) || '.' || (ABS(SUM(\"IPOuts\")) % 3) AS \"IP\"";
    }
    for (const RateFormula* formula : view.rates)
        if (formula != nullptr) sql += ",\n  " + rateSql(*formula, table);
    sql += "\nFROM " + quoted(table.name);
    if (view.rowsSummed != nullptr) sql += " WHERE " + std::string(view.rowsSummed);
    return sql + " GROUP BY \"Season\", \"PlayerID\", \"StatType\";\n";
}

} // namespace

const TableDescription& describeTable(ExportFileKind kind) {
    static const std::array<TableDescription, kExportFileKindCount> tables = [] {
        std::array<TableDescription, kExportFileKindCount> all;
        for (ExportFileKind each : kExportFileKinds)
            all[indexOf(each)] = describe(each);
        return all;
    }();
    return tables[indexOf(kind)];
}

std::string createTableSql(const TableDescription& table) {
    std::string sql = "CREATE TABLE " + quoted(table.name) + " (";
    for (const TableColumn& column : table.columns)
        sql += (column.name == "Season" ? "" : ", ") + quoted(column.name) + " " + sqlType(column.stored);
    return sql + ");\n";
}

std::string insertSql(const TableDescription& table) {
    std::string sql = "INSERT INTO " + quoted(table.name) + " VALUES (";
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        sql += i == 0 ? "?" : ", ?";
    return sql + ")";
}

std::string schemaSql() {
    std::string sql = R"(CREATE TABLE "Seasons" ("Season" TEXT PRIMARY KEY, "Folder" TEXT, "ImportedAt" TEXT);
CREATE TABLE "Teams" ("Season" TEXT NOT NULL, "TeamID" INTEGER, "City" TEXT, "Nickname" TEXT,
  "Abbreviation" TEXT, "Year" INTEGER);
CREATE TABLE "Players" ("Season" TEXT NOT NULL, "PlayerID" INTEGER, "LastName" TEXT, "FirstName" TEXT,
  "Kind" INTEGER);
)";
    for (ExportFileKind kind : kExportFileKinds)
        sql += createTableSql(describeTable(kind));
    for (const TotalsView& view : kTotalsViews)
        sql += totalsViewSql(view);
    sql += "PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";\n";
    return sql;
}

std::string indexesSql() {
    std::string sql;
    for (ExportFileKind kind : kExportFileKinds) {
        const TableDescription& table = describeTable(kind);
        for (const std::string& key : table.indexKeys)
            sql += "CREATE INDEX IF NOT EXISTS " + quoted(table.name + "_" + key) + " ON " +
                   quoted(table.name) + " (\"Season\", " + quoted(key) + ");\n";
    }
    return sql;
}

std::vector<std::string> requiredTables() {
    std::vector<std::string> tables = {"Seasons", "Teams", "Players"};
    for (ExportFileKind kind : kExportFileKinds)
        tables.push_back(describeTable(kind).name);
    return tables;
}

std::string schemaProblem(Connection& db) {
    Statement version(db, "PRAGMA user_version");
    if (!version.ok() || !version.step() || !version.hasRow()) return db.reason();
    const std::int64_t found = version.integerColumn(0);
    if (found > kSchemaVersion)
        return "made by a newer Boxloom (schema " + std::to_string(found) + "); this one reads " +
               std::to_string(kSchemaVersion);
    std::vector<std::string> missing;
    for (const std::string& table : requiredTables()) {
        Statement exists(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
        exists.bindText(1, table);
        if (!exists.ok() || !exists.step()) return db.reason();
        if (!exists.hasRow()) missing.push_back(table);
    }
    if (found != kSchemaVersion || missing.size() == requiredTables().size()) return "not a Boxloom database";
    if (!missing.empty()) return "table " + missing.front() + " is missing";
    return {};
}

} // namespace boxloom::database
