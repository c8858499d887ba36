#pragma once

// The export files a run can write: the bottom layer that columns, outcomes
// and front ends name files by.

#include "export_options.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace boxloom {

enum class ExportFileKind { BattingStats, PitchingStats, FieldingStats, PitchingSplits, BattingSplits };

inline constexpr std::size_t kExportFileKindCount = 5;

// In creation order.
inline constexpr std::array<ExportFileKind, kExportFileKindCount> kExportFileKinds = {
    ExportFileKind::BattingStats, ExportFileKind::PitchingStats, ExportFileKind::FieldingStats,
    ExportFileKind::PitchingSplits, ExportFileKind::BattingSplits};

constexpr std::size_t indexOf(ExportFileKind kind) { return static_cast<std::size_t>(kind); }

// "Batting_Stats." and so on; the suffix follows directly.
std::string_view exportFileStem(ExportFileKind kind);
std::string exportFileName(ExportFileKind kind, std::string_view suffix);
bool isExportFileSelected(ExportFileKind kind, const ExportOptions& options);
// Whether a file name is that of an export file, with any suffix.
bool isExportFileName(std::string_view name);

} // namespace boxloom
