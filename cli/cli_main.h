#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace boxloom::cli {

// The whole command-line program, apart from the process: returns the exit status.
int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace boxloom::cli
