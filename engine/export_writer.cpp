#include "export_writer.h"

#include "export_columns.h"

#include <charconv>
#include <cstring>

namespace boxloom {

namespace {

constexpr std::array<std::string_view, kExportFileKindCount> kStems = {
    "Batting_Stats.", "Pitching_Stats.", "Fielding_Stats.", "Pitching_Splits.", "Batting_Splits."};

constexpr std::size_t kBufferBytes = 1 << 17;
constexpr std::size_t kMaxNumberChars = 11;

std::size_t encodedSize(std::span<const Field> fields) {
    std::size_t size = 2 + fields.size();
    for (const Field& field : fields)
        size += field.type == Field::Type::Text ? field.text.size() + 2 : kMaxNumberChars;
    return size;
}

// Writes the line into `out`, which holds at least encodedSize(fields) bytes.
char* encodeInto(char* out, std::span<const Field> fields) {
    bool first = true;
    for (const Field& field : fields) {
        if (!first) *out++ = ',';
        first = false;
        if (field.type == Field::Type::Text) {
            *out++ = '"';
            std::memcpy(out, field.text.data(), field.text.size());
            out += field.text.size();
            *out++ = '"';
        } else {
            out = std::to_chars(out, out + kMaxNumberChars, field.number).ptr;
        }
    }
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

} // namespace

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

std::string encodeRow(std::span<const Field> fields) {
    std::string line(encodedSize(fields), '\0');
    line.resize(static_cast<std::size_t>(encodeInto(line.data(), fields) - line.data()));
    return line;
}

struct ExportFiles::File {
    std::string path;
    ReplacementFile target;
    std::vector<char> buffer = std::vector<char>(kBufferBytes);
    std::size_t used = 0;
    std::uint64_t rows = 0;
    std::string error; // the first write failure; later writes are dropped

    void flush() {
        if (used > 0 && error.empty()) error = target.write(buffer.data(), used);
        used = 0;
    }
    void append(std::span<const Field> fields) {
        const std::size_t needed = encodedSize(fields);
        if (buffer.size() - used < needed) {
            flush();
            if (needed > buffer.size()) buffer.resize(needed);
        }
        used = static_cast<std::size_t>(encodeInto(buffer.data() + used, fields) - buffer.data());
    }
};

ExportFiles::ExportFiles() = default;
ExportFiles::~ExportFiles() { discardExportFiles(*this); }

bool ExportFiles::isOpen(ExportFileKind kind) const { return files_[indexOf(kind)] != nullptr; }

std::uint64_t ExportFiles::rowsWritten(ExportFileKind kind) const {
    return isOpen(kind) ? files_[indexOf(kind)]->rows : 0;
}

const std::string& ExportFiles::path(ExportFileKind kind) const {
    static const std::string none;
    return isOpen(kind) ? files_[indexOf(kind)]->path : none;
}

std::vector<ExportProblem> openExportFiles(const ExportOptions& options, ExportFiles& files) {
    std::vector<ExportProblem> problems;
    std::array<std::string, kExportFileKindCount> paths;
    for (ExportFileKind kind : kExportFileKinds) {
        if (!isExportFileSelected(kind, options)) continue;
        std::string name = exportFileName(kind, options.outputSuffix);
        paths[indexOf(kind)] =
            options.outputFolder.empty() ? name : joinPath(options.outputFolder, name);
        if (std::string reason = checkReplaceable(paths[indexOf(kind)]); !reason.empty())
            problems.push_back({paths[indexOf(kind)], reason});
    }
    if (!problems.empty()) return problems;

    for (ExportFileKind kind : kExportFileKinds) {
        if (paths[indexOf(kind)].empty()) continue;
        auto file = std::make_unique<ExportFiles::File>();
        file->path = paths[indexOf(kind)];
        if (std::string reason = file->target.create(file->path); !reason.empty()) {
            problems.push_back({file->path, reason});
            break;
        }
        std::array<Field, kMaxColumns> header;
        const auto columns = columnsOf(kind);
        for (std::size_t i = 0; i < columns.size(); ++i) header[i] = Field::ofText(columns[i].header);
        file->append(std::span(header.data(), columns.size()));
        files.files_[indexOf(kind)] = std::move(file);
    }
    if (!problems.empty()) discardExportFiles(files);
    return problems;
}

void writeRow(ExportFiles& files, ExportFileKind kind, std::span<const Field> fields) {
    ExportFiles::File* file = files.files_[indexOf(kind)].get();
    if (file == nullptr) return;
    file->append(fields);
    ++file->rows;
}

std::vector<ExportProblem> closeExportFiles(ExportFiles& files) {
    std::vector<ExportProblem> problems;
    for (auto& file : files.files_) {
        if (!file) continue;
        file->flush();
        if (!file->error.empty()) problems.push_back({file->path, file->error});
    }
    // Only a run whose every file is complete replaces anything.
    for (auto& file : files.files_) {
        if (!file || !problems.empty()) continue;
        if (std::string reason = file->target.commit(); !reason.empty())
            problems.push_back({file->path, reason});
    }
    discardExportFiles(files);
    return problems;
}

void discardExportFiles(ExportFiles& files) {
    for (auto& file : files.files_) {
        if (file) file->target.discard();
    }
}

} // namespace boxloom
