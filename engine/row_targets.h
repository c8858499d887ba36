#pragma once

#include "export_file_kinds.h"
#include "line_writer.h"

#include <array>

namespace boxloom {

// Where the rows of each export file go: the files' own buffers, or the
// buffers of one chunk of records. A null sink: the run does not write that file.
struct RowTargets {
    std::array<LineSink*, kExportFileKindCount> sinks{};
    bool withIds = false;

    LineSink* sink(ExportFileKind kind) const { return sinks[indexOf(kind)]; }
};

} // namespace boxloom
