#pragma once

#include "export_io.h"
#include "export_options.h"
#include "export_outcome.h"

#include <functional>
#include <string_view>

namespace boxloom {

inline constexpr std::string_view kStatusProcessing = "PROCESSING";
inline constexpr std::string_view kStatusCompleted = "COMPLETED";
inline constexpr std::string_view kStatusFailed = "FAILED";

// Called with "PROCESSING" once the export files are open with their headers,
// then "COMPLETED" or "FAILED". May be empty.
using StatusCallback = std::function<void(std::string_view)>;

// Runs one whole export. Every export file ends up either wholly the earlier one
// or wholly the new one; league files are only read.
ExportOutcome runExport(const ExportOptions& options, const StatusCallback& reportStatus = {});
// The same run over other league files and export files than the file system's.
ExportOutcome runExport(const ExportOptions& options, const StatusCallback& reportStatus, const ExportIo& io);
struct SeasonInput; // season_input.h
// The same run over a season already read, with its rows going to `store`
// instead of export files (the output folder, suffix and encoding play no
// part); one thread formats them.
ExportOutcome runExport(const ExportOptions& options, SeasonInput input, RowStore& store);

} // namespace boxloom
