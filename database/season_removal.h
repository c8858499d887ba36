#pragma once

// Removing seasons: the import's own replacement of a season and the
// removal asked for by a user go through the same delete.

#include "sqlite_db.h"

#include <string>

namespace boxloom::database {

// Every row of the season, in each table; the reason of a failure, or "".
std::string deleteSeasonRows(Connection& db, const std::string& label);

} // namespace boxloom::database
