#pragma once

#include "row_emitter.h"
#include "row_targets.h"
#include "season_stats.h"

#include <string_view>

namespace boxloom {

// "P", "C", "1B", "2B", "3B", "SS", "LF", "CF", "RF" for indexes 0 to 8.
std::string_view positionName(int position);

void writeFieldingRow(const RowTargets& rows, const SeasonStatRecord& record, int position,
                      const RowIdentity& identity);

} // namespace boxloom
