#pragma once

#include "row_emitter.h"
#include "row_targets.h"
#include "season_stats.h"

namespace boxloom {

void writeBattingRow(const RowTargets& rows, const SeasonStatRecord& record, const RowIdentity& identity);
void writeBattingSplitRow(const RowTargets& rows, const SeasonStatRecord& record,
                          const RowIdentity& identity);

} // namespace boxloom
