#pragma once

// Formats the season's records in chunks, on worker threads when there are
// several, and hands each chunk's lines to the export files strictly in chunk
// order: the files get the same bytes for any number of threads.

#include "export_io.h"
#include "pitcher_totals.h"
#include "record_exporter.h"
#include "record_reader.h"
#include "row_targets.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom {

inline constexpr std::size_t kChunkRecords = 2048;
inline constexpr unsigned kMaxThreads = 8;

// 0 means one per hardware thread, at most kMaxThreads.
unsigned formattingThreads(unsigned requested);

struct PipelineResult {
    RecordCounts counts;
    std::string error; // a chunk that could not be formatted
};

// Takes a chunk's lines for a file, encoded on another thread, after the lines it holds.
using LineAppender = std::function<void(ExportFileKind kind, std::string_view text, std::uint64_t lines)>;

// Reads every record of `reader` and writes its rows to `targets`; with
// threads == 1 everything runs on the calling thread, straight into the
// targets. With more, the targets must be CSV sinks: chunks are encoded apart
// and handed to `append` in order.
PipelineResult runPipeline(RecordReader& reader, const ChunkFormatter& format, const RowTargets& targets,
                           const LineAppender& append, PitcherTotals& totals, unsigned threads, bool utf8);

} // namespace boxloom
