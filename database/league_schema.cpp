#include "league_schema.h"

#include "export_columns.h"
#include "sqlite_db.h"

namespace boxloom::database {

namespace {

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

const char* sqlType(Stored stored) {
    switch (stored) {
    case Stored::Text:
    case Stored::InningsText: return "TEXT";
    case Stored::Rate: return "REAL";
    default: return "INTEGER";
    }
}

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

std::string statsTableSql(ExportFileKind kind) {
    std::string sql = "CREATE TABLE " + quoted(tableName(kind)) + " (\"Season\" TEXT NOT NULL";
    for (const StoredColumn& column : storedColumns(kind))
        sql += ", " + quoted(column.name) + " " + sqlType(column.stored);
    if (hasInningsOuts(kind)) sql += ", \"IPOuts\" INTEGER";
    sql += ");\n";
    return sql;
}

// Ratios with the rows' guards, from summed counters; 0 when the guard fails.
std::string ratio(const std::string& numerator, const std::string& denominator, const std::string& guard) {
    return "CASE WHEN " + guard + " AND (" + denominator + ") > 0 THEN 1.0 * (" + numerator + ") / (" +
           denominator + ") ELSE 0 END";
}

// A season-totals view's opening: its keys, then the sum of every counter of
// the table in the file's order (IP as the sum of its outs and those outs
// printed in thirds).
std::string totalsViewHead(ExportFileKind kind, const std::string& view) {
    std::string sql = "CREATE VIEW " + quoted(view) +
                      " AS\nSELECT \"Season\", \"PlayerID\", \"StatType\", "
                      "MIN(\"Player\") AS \"Player\", COUNT(*) AS \"Teams\"";
    for (const Column& column : columnsOf(kind)) {
        const std::string name = quoted(std::string(column.header));
        if (column.source == ColumnSource::Games || column.source == ColumnSource::Counter)
            sql += ",\n  SUM(" + name + ") AS " + name;
        if (column.source == ColumnSource::Innings)
            sql += ",\n  SUM(\"IPOuts\") AS \"IPOuts\",\n  CASE WHEN SUM(\"IPOuts\") < 0 THEN '-' ELSE '' "
                   "END || "
                   "(ABS(SUM(\"IPOuts\")) / 3) || '.' || (ABS(SUM(\"IPOuts\")) % 3) AS " +
                   name;
    }
    return sql + ",\n  ";
}

std::string viewsSql() {
    const std::string tb = R"(SUM("H") + SUM("2B") + 2 * SUM("3B") + 3 * SUM("HR"))";
    std::string sql = totalsViewHead(ExportFileKind::BattingStats, "Batting_Season_Totals");
    sql += ratio(R"(SUM("H"))", R"(SUM("AB"))", R"(SUM("H") > 0)") + " AS \"AVG\",\n  ";
    sql += ratio(R"(SUM("H") + SUM("W") + SUM("HBP"))", R"(SUM("AB") + SUM("W") + SUM("HBP") + SUM("SF"))",
                 "1") +
           " AS \"OBP\",\n  ";
    sql += ratio(tb, R"(SUM("AB"))", "(" + tb + ") > 0") + " AS \"SLG\"\n";
    sql += "FROM \"Batting_Stats\" WHERE \"PlayerID\" IS NOT NULL GROUP BY \"Season\", \"PlayerID\", "
           "\"StatType\";\n";
    sql += totalsViewHead(ExportFileKind::PitchingStats, "Pitching_Season_Totals");
    sql += ratio(R"(27 * SUM("ER"))", R"(SUM("IPOuts"))", "1") + " AS \"ERA\",\n  ";
    sql += ratio(R"(SUM("W"))", R"(SUM("W") + SUM("L"))", R"(SUM("W") > 0)") + " AS \"PCT\"\n";
    sql += "FROM \"Pitching_Stats\" GROUP BY \"Season\", \"PlayerID\", \"StatType\";\n";
    return sql;
}

} // namespace

std::string tableName(ExportFileKind kind) {
    std::string name(exportFileStem(kind));
    name.pop_back(); // the dot before the suffix
    return name;
}

std::vector<StoredColumn> storedColumns(ExportFileKind kind) {
    std::vector<StoredColumn> columns;
    for (const Column& column : columnsOf(kind, true))
        columns.push_back({std::string(column.header), storedAs(column)});
    return columns;
}

std::vector<std::string> counterColumns(ExportFileKind kind) {
    std::vector<std::string> names;
    for (const Column& column : columnsOf(kind)) {
        if (column.source == ColumnSource::Games || column.source == ColumnSource::Counter)
            names.emplace_back(column.header);
        else if (column.source == ColumnSource::Innings)
            names.emplace_back("IPOuts");
    }
    return names;
}

bool hasInningsOuts(ExportFileKind kind) { return kind == ExportFileKind::PitchingStats; }

std::string schemaSql() {
    std::string sql = R"(CREATE TABLE "Seasons" ("Season" TEXT PRIMARY KEY, "Folder" TEXT, "ImportedAt" TEXT);
CREATE TABLE "Teams" ("Season" TEXT NOT NULL, "TeamID" INTEGER, "City" TEXT, "Nickname" TEXT,
  "Abbreviation" TEXT, "Year" INTEGER);
CREATE TABLE "Players" ("Season" TEXT NOT NULL, "PlayerID" INTEGER, "LastName" TEXT, "FirstName" TEXT,
  "Kind" INTEGER);
)";
    for (ExportFileKind kind : kExportFileKinds)
        sql += statsTableSql(kind);
    sql += viewsSql();
    sql += "PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";\n";
    return sql;
}

std::string indexesSql() {
    std::string sql;
    for (ExportFileKind kind : kExportFileKinds) {
        for (const char* key : {"PlayerID", "TeamID"})
            sql += "CREATE INDEX IF NOT EXISTS " + quoted(tableName(kind) + "_" + key) + " ON " +
                   quoted(tableName(kind)) + " (\"Season\", " + quoted(key) + ");\n";
    }
    return sql;
}

std::vector<std::string> requiredTables() {
    std::vector<std::string> tables = {"Seasons", "Teams", "Players"};
    for (ExportFileKind kind : kExportFileKinds)
        tables.push_back(tableName(kind));
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
