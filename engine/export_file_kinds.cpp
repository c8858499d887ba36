#include "export_file_kinds.h"

namespace boxloom {

namespace {
constexpr std::array<std::string_view, kExportFileKindCount> kStems = {
    "Batting_Stats.", "Pitching_Stats.", "Fielding_Stats.", "Pitching_Splits.", "Batting_Splits."};
}

std::string_view exportFileStem(ExportFileKind kind) { return kStems[indexOf(kind)]; }

std::string exportFileName(ExportFileKind kind, std::string_view suffix) {
    return std::string(exportFileStem(kind)) + std::string(suffix);
}

bool isExportFileSelected(ExportFileKind kind, const ExportOptions& options) {
    switch (kind) {
    case ExportFileKind::FieldingStats: return options.includeFielding;
    case ExportFileKind::PitchingSplits: return options.includePitchingSplits;
    case ExportFileKind::BattingSplits: return options.includeHittingSplits;
    default: return true;
    }
}

bool isExportFileName(std::string_view name) {
    for (std::string_view stem : kStems) {
        if (name.size() > stem.size() && name.substr(0, stem.size()) == stem &&
            name.find_first_of("./\\", stem.size()) == std::string_view::npos)
            return true;
    }
    return false;
}

} // namespace boxloom
