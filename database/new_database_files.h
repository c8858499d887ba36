#pragma once

// A new database is made under a work name beside its own and takes its name
// at commit: the names of those work files, and the leftovers of killed imports.

#include <cstdint>
#include <string>

namespace boxloom::database {

// Removes the work files (and journals) of imports into a new database of
// this name whose processes are gone; how many.
std::uint64_t removeWorkFilesOfGoneImports(const std::string& databasePath);

// A work name beside the database that no file has.
std::string freeWorkPath(const std::string& databasePath);

} // namespace boxloom::database
