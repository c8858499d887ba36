#pragma once

#include "export_writer.h"
#include "row_emitter.h"
#include "season_stats.h"

namespace boxloom {

void writePitchingRow(ExportFiles& files, const SeasonStatRecord& record, const RowIdentity& identity);
void writePitchingSplitRow(ExportFiles& files, const SeasonStatRecord& record, const RowIdentity& identity);

} // namespace boxloom
