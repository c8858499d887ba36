#pragma once

// The league database's schema, made from the export files' column tables:
// every statistics table has the columns of its export file, typed.

#include "export_file_kinds.h"

#include <string>
#include <vector>

namespace boxloom::database {

inline constexpr int kSchemaVersion = 1;

// How a column is stored.
enum class Stored {
    Season,      // the season's label: TEXT NOT NULL
    Text,        // UTF-8 text
    Year,        // INTEGER from the year text; NULL when blank
    Counter,     // INTEGER; NULL for the grouped rows' "x"
    Rate,        // REAL, the value the export file prints
    InningsText, // IP as printed
    InningsOuts, // INTEGER, the outs behind IP, which can be summed
    OptionalId,  // INTEGER; NULL when empty
};

struct TableColumn {
    std::string name;
    Stored stored;
};

// A statistics table, described once from its export file's columns: its
// CREATE TABLE, its insert, its indexes, its season-total view and the
// store's reads are all made from this.
struct TableDescription {
    ExportFileKind kind{};
    std::string name; // "Batting_Stats"
    // "Season", the file's columns with their ids, then "IPOuts" after IP's file.
    std::vector<TableColumn> columns;
    // The counters in the file's order, IP as "IPOuts"; a split table's are its
    // left side's, then its right side's.
    std::vector<std::string> counters;
    // Each indexed with the season.
    std::vector<std::string> indexKeys;
};

const TableDescription& describeTable(ExportFileKind kind);

std::string createTableSql(const TableDescription& table);
// One parameter per column, in the columns' order.
std::string insertSql(const TableDescription& table);

// Every CREATE statement of a new database but its indexes, user_version included.
std::string schemaSql();
// The indexes, made once the rows are in: building an index at the end is
// much cheaper than keeping it up to date row by row.
std::string indexesSql();
// The tables a database must hold to be a Boxloom database.
std::vector<std::string> requiredTables();

class Connection;
// Why an open database is not a league database this program reads ("not a
// SQLite database", "made by a newer Boxloom (schema 2); this one reads 1",
// "table Teams is missing", ...), or "".
std::string schemaProblem(Connection& db);

} // namespace boxloom::database
