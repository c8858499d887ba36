#pragma once

#include "export_writer.h"
#include "row_emitter.h"
#include "season_stats.h"

#include <string_view>

namespace boxloom {

// "P", "C", "1B", "2B", "3B", "SS", "LF", "CF", "RF" for indexes 0 to 8.
std::string_view positionName(int position);

void writeFieldingRow(ExportFiles& files, const SeasonStatRecord& record, int position,
                      const RowIdentity& identity);

} // namespace boxloom
