#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace boxloom::cli {

// boxloom-site: exit 0 on success, 1 when the site could not be made, 2 on a usage error.
int runSiteCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace boxloom::cli
