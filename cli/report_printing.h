#pragma once

#include "report_lines.h"

#include <ostream>
#include <string_view>
#include <vector>

namespace boxloom::cli {

// Results on `out`; problems on `err`, after "PROGRAM: ".
void printReport(std::string_view program, const std::vector<ReportLine>& lines, std::ostream& out,
                 std::ostream& err);

} // namespace boxloom::cli
