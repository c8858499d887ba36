#pragma once

#include "export_file_kinds.h"
#include "row_sink.h"

#include <array>

namespace boxloom {

// Where the rows of each export file go: the files' own buffers, the buffers
// of one chunk of records, or a database's tables. A null sink: the run does
// not write that file.
struct RowTargets {
    std::array<RowSink*, kExportFileKindCount> sinks{};
    bool withIds = false;

    RowSink* sink(ExportFileKind kind) const { return sinks[indexOf(kind)]; }
};

} // namespace boxloom
