#pragma once

#include <ostream>
#include <string>

namespace boxloom::cli {

// Creates a missing output folder and its parents, saying so on `out`; anything
// else in its place fails, said on `err` after "PROGRAM: ". True when it is there.
bool prepareOutputFolder(const std::string& program, const std::string& folder, std::ostream& out,
                         std::ostream& err);

} // namespace boxloom::cli
