#pragma once

// Formats the season's records in chunks, on worker threads when there are
// several, and hands each chunk's lines to the export files strictly in chunk
// order: the files get the same bytes for any number of threads.

#include "export_io.h"
#include "export_writer.h"
#include "pitcher_totals.h"
#include "record_exporter.h"
#include "record_reader.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
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

// Reads every record of `reader`; with threads == 1 everything runs on the calling thread.
PipelineResult runPipeline(RecordReader& reader, const ChunkFormatter& format, ExportFiles& files,
                           PitcherTotals& totals, unsigned threads, bool utf8);

} // namespace boxloom
