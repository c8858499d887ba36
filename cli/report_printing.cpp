#include "report_printing.h"

namespace boxloom::cli {

void printReport(std::string_view program, const std::vector<ReportLine>& lines, std::ostream& out,
                 std::ostream& err) {
    for (const ReportLine& line : lines)
        (line.problem ? err << program << ": " : out) << line.text << '\n';
}

} // namespace boxloom::cli
