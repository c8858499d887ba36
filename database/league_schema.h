#pragma once

// The league database's schema, made from the export files' column tables:
// every statistics table has the columns of its export file, typed.

#include "export_file_kinds.h"

#include <string>
#include <vector>

namespace boxloom::database {

inline constexpr int kSchemaVersion = 1;

// How an export field is stored.
enum class Stored {
    Text,        // UTF-8 text
    Year,        // INTEGER from the year text; NULL when blank
    Counter,     // INTEGER; NULL for the grouped rows' "x"
    Rate,        // REAL, the value the export file prints
    InningsText, // IP as printed
    OptionalId,  // INTEGER; NULL when empty
};

struct StoredColumn {
    std::string name;
    Stored stored;
};

// "Batting_Stats" and so on.
std::string tableName(ExportFileKind kind);
// The export file's columns with their ids (without Season and IPOuts).
std::vector<StoredColumn> storedColumns(ExportFileKind kind);
// The counter columns of a statistics table in its export file's order, IP as
// "IPOuts"; a split table's are its left side's, then its right side's.
std::vector<std::string> counterColumns(ExportFileKind kind);
// Pitching_Stats ends with the outs behind IP, which can be summed.
bool hasInningsOuts(ExportFileKind kind);

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
