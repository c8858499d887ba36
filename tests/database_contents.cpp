#include "database_contents.h"

#include "league_schema.h"
#include "sqlite_db.h"

namespace boxloom::testing {

std::string databaseContents(const std::string& path) {
    database::Connection db;
    if (std::string reason = db.open(path, database::OpenMode::ReadOnly); !reason.empty()) return reason;
    std::string all;
    for (const std::string& table : database::requiredTables()) {
        database::Statement rows(db, "SELECT * FROM \"" + table + "\" ORDER BY rowid");
        while (rows.ok() && rows.step() && rows.hasRow()) {
            // A season's label and folder, not when it was imported.
            const int columns = table == "Seasons" ? 2 : rows.columnCount();
            for (int i = 0; i < columns; ++i)
                all += rows.isNull(i) ? "<null>|" : rows.textColumn(i) + "|";
            all += "\n";
        }
        all += "--\n";
    }
    return all;
}

} // namespace boxloom::testing
