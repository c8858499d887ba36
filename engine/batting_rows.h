#pragma once

#include "export_writer.h"
#include "row_emitter.h"
#include "season_stats.h"

namespace boxloom {

void writeBattingRow(ExportFiles& files, const SeasonStatRecord& record, const RowIdentity& identity);
void writeBattingSplitRow(ExportFiles& files, const SeasonStatRecord& record, const RowIdentity& identity);

} // namespace boxloom
