#pragma once

#include <string>

namespace boxloom::testing {

// Every value of every table of a league database, row by row, as text; the
// times of import left out. Two databases of the same seasons compare equal.
std::string databaseContents(const std::string& path);

} // namespace boxloom::testing
