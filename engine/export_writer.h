#pragma once

#include "export_options.h"
#include "export_outcome.h"
#include "file_layer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom {

enum class ExportFileKind { BattingStats, PitchingStats, FieldingStats, PitchingSplits, BattingSplits };

inline constexpr std::array<ExportFileKind, kExportFileKindCount> kExportFileKinds = {
    ExportFileKind::BattingStats, ExportFileKind::PitchingStats, ExportFileKind::FieldingStats,
    ExportFileKind::PitchingSplits, ExportFileKind::BattingSplits};

constexpr std::size_t indexOf(ExportFileKind kind) { return static_cast<std::size_t>(kind); }

// "Batting_Stats." and so on; the suffix follows directly.
std::string_view exportFileStem(ExportFileKind kind);
std::string exportFileName(ExportFileKind kind, std::string_view suffix);
bool isExportFileSelected(ExportFileKind kind, const ExportOptions& options);

// One field of an export line: quoted text with nothing escaped, or a plain number.
struct Field {
    enum class Type : std::uint8_t { Text, Number };
    Type type = Type::Number;
    std::string_view text;
    std::int32_t number = 0;

    static Field ofText(std::string_view value) { return {Type::Text, value, 0}; }
    static Field ofNumber(std::int32_t value) { return {Type::Number, {}, value}; }
};

// The bytes of one export line, CR LF included.
std::string encodeRow(std::span<const Field> fields);

// The export files of one run, each written to a temporary file and moved
// over its final name only when the whole run succeeded.
class ExportFiles {
public:
    ExportFiles();
    ~ExportFiles();
    ExportFiles(const ExportFiles&) = delete;
    ExportFiles& operator=(const ExportFiles&) = delete;

    bool isOpen(ExportFileKind kind) const;
    std::uint64_t rowsWritten(ExportFileKind kind) const;
    const std::string& path(ExportFileKind kind) const;

private:
    struct File;
    friend std::vector<ExportProblem> openExportFiles(const ExportOptions&, ExportFiles&);
    friend void writeRow(ExportFiles&, ExportFileKind, std::span<const Field>);
    friend std::vector<ExportProblem> closeExportFiles(ExportFiles&);
    friend void discardExportFiles(ExportFiles&);
    std::array<std::unique_ptr<File>, kExportFileKindCount> files_;
};

// Checks every target first, then creates the selected files with their header
// rows. On any problem nothing is left behind and the problems are returned.
std::vector<ExportProblem> openExportFiles(const ExportOptions& options, ExportFiles& files);
void writeRow(ExportFiles& files, ExportFileKind kind, std::span<const Field> fields);
// Flushes and moves every file into place, in creation order.
std::vector<ExportProblem> closeExportFiles(ExportFiles& files);
// Removes every temporary file; the earlier exports stay as they were.
void discardExportFiles(ExportFiles& files);

} // namespace boxloom
